// Moving a dialog's focus as the dialog manager does on Tab (MFC's
// CDialog::GotoDlgCtrl): the default button follows the focus and an
// edit's text is selected, ready to be typed over.
#pragma once

#include "framework/wnd.h"

void GotoDlgCtrl(CWnd* dialog, int id);
