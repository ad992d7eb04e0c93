#include "key_target.h"

#include "hotkey_fixture.h"

KeyTarget::KeyTarget(const std::string& commandLine)
    : m_program(new testsupport::Program(commandLine))
{
    if (m_program->Started())
        m_window = m_program->WaitForWindow("VQXHotKeyTarget");
    m_ready = m_window && Focus();
}

bool KeyTarget::Focus()
{
    return testsupport::WaitUntil([&] {
        SetForegroundWindow(m_window);
        return GetForegroundWindow() == m_window;
    });
}

int KeyTarget::KeysReceived() const
{
    const std::string caption = testsupport::WindowText(m_window);
    return caption.rfind("keys: ", 0) == 0 ? std::stoi(caption.substr(6)) : 0;
}

bool KeyTarget::Press(BYTE key, UINT modifiers)
{
    m_typed = KeysReceived() + 1;
    return TypeHotKey(m_window, key, modifiers);
}

bool KeyTarget::WaitForKeys()
{
    return testsupport::WaitUntil([&] { return KeysReceived() >= m_typed; }, 20000);
}

bool KeyTarget::Type(BYTE key, UINT modifiers)
{
    return Press(key, modifiers) && WaitForKeys();
}
