// An ASS script for the tests: styles, placements, colours, a fade, a drawing, overlapping
// events, a forced sign and a font carried in the script itself.
#pragma once

#include <QByteArray>
#include <QFile>

namespace lumelle::testing {

// `data` in the uuencoding of a script's [Fonts] section: each 3 bytes as 4 characters of 6
// bits plus 33, a short end as one or two characters more, 80 characters a line.
inline QByteArray AssUuencoded(const QByteArray& data)
{
    QByteArray out;
    for (qsizetype i = 0; i < data.size(); i += 3) {
        const qsizetype n = std::min<qsizetype>(3, data.size() - i);
        unsigned value = 0;
        for (qsizetype k = 0; k < 3; ++k)
            value = value << 8 | (k < n ? uchar(data[i + k]) : 0u);
        for (qsizetype k = 0; k <= n; ++k)
            out += char(((value >> (18 - 6 * k)) & 63) + 33);
    }
    QByteArray lines;
    for (qsizetype i = 0; i < out.size(); i += 80)
        lines += out.mid(i, 80) + '\n';
    return lines;
}

// DejaVu Sans Mono under a family name no system has ("Lumelle Sub Mono"), so that only the
// script's own copy can draw that style.
inline QByteArray RenamedFont()
{
    QFile file(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray font = file.readAll();
    const auto rename = [&font](const QString& from, const QString& to) {
        font.replace(from.toLatin1(), to.toLatin1());
        QByteArray wideFrom, wideTo; // the UTF-16BE names of the name table
        for (QChar c : from)
            wideFrom += '\0', wideFrom += char(c.unicode());
        for (QChar c : to)
            wideTo += '\0', wideTo += char(c.unicode());
        font.replace(wideFrom, wideTo);
    };
    rename(QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Lumelle Sub Mono"));
    rename(QStringLiteral("DejaVuSansMono"), QStringLiteral("LumelleSubMono"));
    return font;
}

// The events, at a frame of 720x576 (PlayRes the same, so positions are pixels):
//  1: 1-3 s at the top (\an8), white;   2: 2-4 s at the bottom, white (shares 2-3 s with 1)
//  3: 4.4-5 s "SIGN" red at \pos(100,100), style "Signs" (forced)
//  4: 5.5-6 s a green 100x100 square drawn at (300,300)
//  5: 7-9 s "Fading" fading in over its first second
//  6: 9.2-9.5 s in the script's own font;  7: 9.6-9.9 s in a font nobody has
inline QByteArray TestAssScript()
{
    QByteArray script =
        "[Script Info]\nScriptType: v4.00+\nPlayResX: 720\nPlayResY: 576\n"
        "YCbCr Matrix: TV.601\n\n[V4+ Styles]\nFormat: Name, Fontname, Fontsize, "
        "PrimaryColour, SecondaryColour, OutlineColour, BackColour, Bold, Italic, Underline, "
        "StrikeOut, ScaleX, ScaleY, Spacing, Angle, BorderStyle, Outline, Shadow, Alignment, "
        "MarginL, MarginR, MarginV, Encoding\n"
        "Style: Default,DejaVu Sans,36,&H00FFFFFF,&H000000FF,&H00000000,&H00000000,0,0,0,0,100,"
        "100,0,0,1,2,0,2,10,10,20,1\n"
        "Style: Signs,DejaVu Sans,30,&H000000FF,&H000000FF,&H00000000,&H00000000,1,0,0,0,100,100,"
        "0,0,1,2,0,5,10,10,20,1\n"
        "Style: Own,Lumelle Sub Mono,30,&H00FFFFFF,&H000000FF,&H00000000,&H00000000,0,0,0,0,100,"
        "100,0,0,1,2,0,2,10,10,20,1\n"
        "Style: Nobody,NoSuchFontXyz,30,&H00FFFFFF,&H000000FF,&H00000000,&H00000000,0,0,0,0,100,"
        "100,0,0,1,2,0,2,10,10,20,1\n\n[Fonts]\nfontname: lumelle.ttf\n";
    script += AssUuencoded(RenamedFont());
    script +=
        "\n[Events]\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, "
        "Text\n"
        "Dialogue: 0,0:00:01.00,0:00:03.00,Default,,0,0,0,,{\\an8}At the top\n"
        "Dialogue: 0,0:00:02.00,0:00:04.00,Default,,0,0,0,,At the bottom\n"
        "Dialogue: 0,0:00:04.40,0:00:05.00,Signs,,0,0,0,,{\\pos(100,100)}SIGN\n"
        "Dialogue: 0,0:00:05.50,0:00:06.00,Default,,0,0,0,,{\\an7\\pos(300,300)\\bord0"
        "\\c&H00FF00&\\p1}m 0 0 l 100 0 100 100 0 100{\\p0}\n"
        "Comment: 0,0:00:06.00,0:00:07.00,Default,,0,0,0,,not shown\n"
        "Dialogue: 0,0:00:07.00,0:00:09.00,Default,,0,0,0,,{\\fad(1000,0)}Fading\n"
        "Dialogue: 0,0:00:09.20,0:00:09.50,Own,,0,0,0,,Own font\n"
        "Dialogue: 0,0:00:09.60,0:00:09.90,Nobody,,0,0,0,,No font\n";
    return script;
}

} // namespace lumelle::testing
