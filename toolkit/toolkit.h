// Everything the program's windows are built with.
#pragma once

#include "toolkit/application.h"
#include "toolkit/common_dialogs.h"
#include "toolkit/control.h"
#include "toolkit/create_controls.h"
#include "toolkit/font_tool.h"
#include "toolkit/toolkit_object.h"
