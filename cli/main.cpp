// lumelle-convert: the headless converter.
#include "platform/Error.h"
#include "platform/Messages.h"
#include "subtitle/Subtitle.h"

#include <QCoreApplication>
#include <cstdio>

using namespace lumelle;

namespace {

// Prints every message the core shows on standard error.
class PrintedMessages : public platform::Messages
{
public:
    void showMessage(const QString& text) override { print(text); }
    void showInformation(const QString& text) override { print(text); }
    bool askYesNo(const QString& text) override
    {
        print(text);
        return false;
    }
    int count = 0;

private:
    void print(const QString& text)
    {
        ++count;
        QString shown = text;
        shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        std::fprintf(stderr, "%s\n", shown.toLocal8Bit().constData());
    }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    PrintedMessages printed;
    platform::ScopedMessages scope(&printed);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("--list")) {
        try {
            TSubtitle list;
            list.LoadFromFile(args[1], true, 25.0, 0);
            for (int i = 1; i <= list.Count(); ++i) {
                const SubtitleLine& l = list.line(i);
                std::printf("%d\t%s\t%s\t%s", i,
                            TSubtitle::FramesToTime(StrToInt(l.StartFrame), 25.0).c_str(),
                            TSubtitle::FramesToTime(StrToInt(l.EndFrame), 25.0).c_str(),
                            l.Line1.c_str());
                if (!l.Line2.empty())
                    std::printf("|%s", l.Line2.c_str());
                std::printf("\n");
            }
            return printed.count == 0 ? 0 : 1;
        } catch (const Error& e) {
            std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
            return 1;
        }
    }
    std::fprintf(stderr, "usage: lumelle-convert --list FILE\n");
    return 2;
}
