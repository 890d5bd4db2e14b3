#include "tests/support/paneldirectory.h"

#include <QDir>
#include <QFile>

PanelDirectory::PanelDirectory(const char *address) : m_previous(QDir::currentPath())
{
    if (!m_directory.isValid() || !QDir::setCurrent(m_directory.path()))
        return;
    QFile memory(QStringLiteral("zenkaiip.txt"));
    m_ready = address == nullptr
              || (memory.open(QIODevice::WriteOnly) && memory.write(address) == static_cast<qint64>(qstrlen(address)));
}

PanelDirectory::~PanelDirectory()
{
    QDir::setCurrent(m_previous);
}
