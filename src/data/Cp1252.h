#pragma once
// Texts of the data files and of the score file are Windows-1252 bytes. The
// model keeps them as bytes; windows convert here, at their edge.
#include <QString>
#include <string>
#include <string_view>

namespace landora {

QString FromCp1252(std::string_view bytes);
// Characters outside the code page become '?'.
std::string ToCp1252(const QString &text);

} // namespace landora
