#pragma once

#include <string>

struct RenderOptions;

// The export tool makes its pictures with Qt's help (the PNG encoder, the PDF
// painter), which its tables do not need: that part lives in a module of its own that the tool loads only when a
// picture is asked for, so that writing a table does not load Qt at all.
//
// The module's one entry: the picture file's contents for the options, left
// empty when no memory is to be had for the picture.
using PictureModuleEntry = void(const RenderOptions& o, std::string& contents);
extern "C" PictureModuleEntry zoreks_picture_contents;
inline constexpr const char* kPictureModuleEntry = "zoreks_picture_contents";
