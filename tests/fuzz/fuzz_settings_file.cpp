// Fuzzes the settings-file reader: any bytes load, every typed read answers, and writing the
// document and reading it back gives the same document.
#include "FuzzSupport.h"
#include "platform/IniStore.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    lumelle::platform::IniStore store;
    store.setContent(bytes);
    for (const QString& section : store.sectionNames()) {
        for (const QString& key : store.keys(section)) {
            const QString path = section + QLatin1Char('\\') + key;
            (void)store.tryReadInteger(path);
            (void)store.tryReadBoolean(path);
            (void)store.tryReadColor(path);
            (void)store.tryReadText(path);
        }
    }
    const QByteArray written = store.content();
    lumelle::platform::IniStore again;
    again.setContent(written);
    if (again.content() != written)
        __builtin_trap(); // what we write must read back unchanged
    store.writeInteger(QStringLiteral("Form1\\offset_Position"), 30);
    store.writeText(QStringLiteral("FormColorOptions\\RadioButtonPC_Checked"),
                    QStringLiteral("TRUE"));
    if (store.readInteger(QStringLiteral("form1\\OFFSET_position"), -1) != 30)
        __builtin_trap();
    return 0;
}
