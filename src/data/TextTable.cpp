#include "data/TextTable.h"

#include "data/ByteFile.h"

namespace landora {

void TextTable::LoadTexts(const std::string &fileName)
{
    TByteFile file(fileName);
    while (!file.AtEnd()) {
        const int t = file.ReadInt16();
        if (!FixedArray<std::string, TextCount>::Contains(t))
            throw ERangeError();
        for (int language = 1; language <= LanguageCount; ++language)
            table_[language][t] = file.ReadString();
    }
}

} // namespace landora
