// Data exchange for check boxes and radio buttons, as MFC's DDX_Check and
// DDX_Radio do it.
#pragma once

#include "framework/wnd.h"

// The check box `id`'s state and `value`: BST_UNCHECKED, BST_CHECKED or,
// for a three-state box, BST_INDETERMINATE.
void DDX_Check(CDataExchange* pDX, int id, int& value);

// Which radio button of the group that starts at `id` (a control with
// WS_GROUP) is checked and `value`: 0 for the first, 1 for the next …, -1
// for none. The group ends before the next control with WS_GROUP.
void DDX_Radio(CDataExchange* pDX, int id, int& value);
