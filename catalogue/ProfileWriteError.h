#pragma once

#include <QString>

#include <stdexcept>

// The one error of the profile layer: a change could not reach the file (read-only file or folder,
// missing folder, full disk). The file is then as it was. The text names the file as the program
// knows it, ".\Z.MQV", and is UTF-8 like every std::exception text.
class ProfileWriteError : public std::runtime_error {
public:
    explicit ProfileWriteError(const QString &fileName)
        : std::runtime_error(QStringLiteral("Unable to write to %1").arg(fileName).toStdString())
    {
    }
};
