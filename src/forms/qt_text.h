// Conversions between the program's UTF-8 texts and Qt's strings.
#pragma once

#include <QString>
#include <string>

namespace dravn {

inline QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
inline std::string S(const QString& s) {
    return s.toStdString();
}

}  // namespace dravn
