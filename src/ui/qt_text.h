#pragma once
// Texts cross between the form model (UTF-8 std::string) and Qt (QString) only through here.

#include <QString>
#include <string>
#include <string_view>

namespace tarvo {

inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStdString(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

}  // namespace tarvo
