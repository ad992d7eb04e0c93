// Resource ids of the stand-in Display control panel desk.cpl.
#pragma once

#define IDI_DISPLAY_APPLET   100

#define IDS_APPLET_NAME      100
#define IDS_APPLET_INFO      101
