// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace quorvex::platform {

// What a file of the data folder holds, or why it could not be read.
struct DataFileText
{
    QString text;                   // empty when the file does not exist yet
    std::optional<QString> failure; // set when the file exists but could not be read
};

// The program's own text files in the user's data folder, kept from one run to the next.
class DataFolder
{
public:
    DataFolder() = default;
    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;
    virtual ~DataFolder() = default;

    /// Adds `text` in UTF-8 to the end of the file `name`, making the folder and the file when they are missing, and
    /// hands it to the operating system before returning; says why not, if it could not.
    [[nodiscard]] virtual std::optional<QString> append(const QString& name, const QString& text) = 0;
    /// The whole text of the file `name`, decoded from UTF-8.
    virtual DataFileText read(const QString& name) const = 0;
};

} // namespace quorvex::platform
