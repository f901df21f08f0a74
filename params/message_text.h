#pragma once

#include <string>
#include <string_view>

#include "texts/message.h"
#include "texts/printed_number.h"

// The user's text as it may stand, in «quotes», in a one-line message:
// control characters become '?', and a long text is cut between two UTF-8
// characters and ends in an ellipsis.
std::string QuotedForMessage(std::string_view text);

// Why a file could not be opened, from the system's error number (errno),
// to follow «Файл «name», …»: "такого файла нет".
Message OpeningProblem(int error);
