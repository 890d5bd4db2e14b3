#pragma once

#include "tests/support/files.h"

#include <filesystem>

/// A fresh current directory for panels, whose address memory file holds an
/// address, so 接続 goes there straight away, or is missing for nullptr. The
/// previous directory is restored when this goes.
class PanelDirectory
{
public:
    explicit PanelDirectory(const char *address = "127.0.0.1");
    ~PanelDirectory();

    PanelDirectory(const PanelDirectory &) = delete;
    PanelDirectory &operator=(const PanelDirectory &) = delete;

    /// Whether the directory and its file were made and entered.
    bool isReady() const { return m_ready; }

private:
    std::filesystem::path m_previous = std::filesystem::current_path();
    TemporaryDirectory m_directory;
    bool m_ready = false;
};
