#include "tests/support/paneldirectory.h"

PanelDirectory::PanelDirectory(const char *address)
{
    std::error_code error;
    std::filesystem::current_path(m_directory.path(), error);
    if (error)
        return;
    if (address != nullptr)
        writeFile("zenkaiip.txt", address);
    m_ready = address == nullptr || readFile("zenkaiip.txt") == address;
}

PanelDirectory::~PanelDirectory()
{
    std::error_code ignored;
    std::filesystem::current_path(m_previous, ignored);
}
