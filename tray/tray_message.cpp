#include "tray_message.h"

#include "error_box.h"

namespace tray {

void ShowTrayMessage(const std::string& text)
{
    MessageBoxA(nullptr, text.c_str(), kTrayCaption, MB_OK);
}

void ShowTrayError(CException* e)
{
    ShowErrorBox(e, kTrayCaption);
}

} // namespace tray
