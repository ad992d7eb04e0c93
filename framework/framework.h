// The UI class layer: a thin set of classes over Win32 that the services,
// windows, pages and dialogs of the system derive from.
#pragma once

#include "object.h"
#include "exception.h"
#include "handles.h"
#include "module_files.h"
#include "procaddress.h"
#include "scoped_value.h"
#include "text.h"
#include "winapp.h"
#include "wnd.h"
#include "commandmap.h"
#include "dialog.h"
#include "propertypage.h"
#include "propertysheet.h"
#include "static.h"
#include "combo_box.h"
#include "stringarray.h"
