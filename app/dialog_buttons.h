#pragma once

class QDialog;
class QDialogButtonBox;

// The buttons «ОК» and «Отмена» of a dialog, connected to its accept and reject.
QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog);
