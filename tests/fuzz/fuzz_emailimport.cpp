// Address-book exports come from any program, or are any file the user picked by mistake:
// the import must take any bytes and give only rows it can store.

#include "dialogs/EmailImport.h"
#include "dialogs/ListPage.h"

#include <cstdlib>

using namespace parvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (bool truncated : {false, true}) {
        const ImportResult result = ParseImportBytes(bytes, truncated);
        if (result.rows.size() > bytes.count('@'))
            std::abort(); // every row has an at sign of its own line
        for (const EditorRow& row : result.rows) {
            // The address holds the at sign and no separator; the name holds no separator
            // and no line break, so that the row is one entry of one list line.
            if (!row.second.contains(u'@'))
                std::abort();
            for (const QString& field : {row.caption, row.second}) {
                for (QChar bad : {QChar(u','), QChar(u';'), QChar(u'\n'), QChar(u'\r'), QChar(0)}) {
                    if (field.contains(bad))
                        std::abort();
                }
            }
            const EditorRow stored = StorableRow(row);
            if (stored.caption.contains(u'|') || stored.caption.size() != row.caption.size())
                std::abort();
        }
    }
    return 0;
}
