// The rules a Blu-ray muxer and player hold a .sup to: the stream check finds each broken rule,
// and every stream the converter writes keeps them, on films whose subtitles follow each other
// closely, at the first moment of the film, together at top and bottom, and fading.
#include "ConverterRuns.h"
#include "reference/PgsStreamCheck.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace lumelle::testing;
using Bytes = std::vector<std::uint8_t>;

namespace {

void writeFile(const QString& path, const QByteArray& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

Bytes readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray all = file.readAll();
    return Bytes(all.begin(), all.end());
}

QByteArray srtTime(std::int64_t ms)
{
    return QStringLiteral("%1:%2:%3,%4")
        .arg(ms / 3600000, 2, 10, QLatin1Char('0'))
        .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'))
        .toLatin1();
}

// `count` subtitles of `length` ms, each `gap` ms after the one before ends; from `first` ms.
QByteArray film(int count, std::int64_t first, std::int64_t length, std::int64_t gap)
{
    QByteArray srt;
    for (int i = 0; i < count; ++i) {
        const std::int64_t start = first + i * (length + gap);
        srt += QByteArray::number(i + 1) + "\n" + srtTime(start) + " --> " +
               srtTime(start + length) + "\nSubtitle number " + QByteArray::number(i + 1) +
               (i % 3 == 0 ? "\nand its second line" : "") + "\n\n";
    }
    return srt;
}

// The segments of a stream, each as its 13 header bytes and payload, to break one rule in.
struct Seg
{
    Bytes header, payload;
};

std::vector<Seg> split(const Bytes& b)
{
    std::vector<Seg> out;
    for (std::size_t at = 0; at + 13 <= b.size();) {
        const std::size_t size = std::size_t(b[at + 11]) << 8 | b[at + 12];
        out.push_back({Bytes(b.begin() + at, b.begin() + at + 13),
                       Bytes(b.begin() + at + 13, b.begin() + at + 13 + size)});
        at += 13 + size;
    }
    return out;
}

Bytes join(const std::vector<Seg>& segments)
{
    Bytes out;
    for (const Seg& s : segments) {
        Bytes h = s.header;
        h[11] = std::uint8_t(s.payload.size() >> 8), h[12] = std::uint8_t(s.payload.size());
        out.insert(out.end(), h.begin(), h.end());
        out.insert(out.end(), s.payload.begin(), s.payload.end());
    }
    return out;
}

// The index of the `n`th segment (from 0) of `type`.
std::size_t nth(const std::vector<Seg>& s, std::uint8_t type, int n = 0)
{
    for (std::size_t i = 0; i < s.size(); ++i)
        if (s[i].header[10] == type && n-- == 0)
            return i;
    return s.size();
}

void setTime(Seg& s, int at, std::uint32_t t)
{
    for (int k = 0; k < 4; ++k)
        s.header[std::size_t(at + k)] = std::uint8_t(t >> (24 - 8 * k));
}

} // namespace

// A stream the converter wrote, then each rule broken once in a copy of it: the check names it.
TEST(PgsStreamRules, TheCheckFindsEachBrokenRule)
{
    QTemporaryDir dir;
    const QString srt = dir.filePath("two.srt");
    writeFile(srt, "1\n00:00:01,000 --> 00:00:02,000\n{\\an8}Top\n\n"
                   "2\n00:00:01,000 --> 00:00:02,000\nBottom\n\n"
                   "3\n00:00:04,000 --> 00:00:05,000\nLater\n");
    const ConverterRun run = runConverter({"--format", "pgs", srt});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const Bytes good = readBytes(dir.filePath("two.sup"));
    ASSERT_EQ(PgsStreamFaults(good), std::vector<std::string>{})
        << FaultText(PgsStreamFaults(good));

    struct Breakage
    {
        const char* rule;
        std::function<void(std::vector<Seg>&)> breakIt;
    };
    const std::vector<Breakage> breakages{
        {"composition number", [](auto& s) { s[nth(s, 0x16, 1)].payload[6] += 2; }},
        {"composition state", [](auto& s) { s[nth(s, 0x16, 2)].payload[7] = 0x20; }},
        {"does not open with an epoch start", [](auto& s) { s[0].payload[7] = 0x00; }},
        {"entry 0xFF", [](auto& s) { s[nth(s, 0x14)].payload[7] = 0xFF; }},
        {"TV range", [](auto& s) { s[nth(s, 0x14)].payload[3] = 5; }},
        {"palette 0 version",
         [](auto& s) {
             Seg copy = s[nth(s, 0x14)];
             s.insert(s.begin() + std::ptrdiff_t(nth(s, 0x14)) + 1, copy);
         }},
        {"data length", [](auto& s) { s[nth(s, 0x15)].payload[6] += 1; }},
        {"rows do not make", [](auto& s) { s[nth(s, 0x15)].payload[10] += 1; }},
        {"outside the frame", [](auto& s) { s[nth(s, 0x17)].payload[2] = 0x07; }},
        {"lies outside window", [](auto& s) { s[nth(s, 0x16)].payload[16] += 1; }},
        {"windows (one or two)", [](auto& s) { s[nth(s, 0x17)].payload = {0}; }},
        {"windows change within an epoch", [](auto& s) { s[nth(s, 0x17, 1)].payload[4] += 1; }},
        {"ticks to decode", [](auto& s) { setTime(s[0], 6, 0x0001'5F90 - 100); }},
        {"decoding time goes backwards", [](auto& s) { setTime(s[nth(s, 0x80)], 6, 0); }},
        {"decoded before the set before it is shown",
         [](auto& s) { setTime(s[nth(s, 0x16, 1)], 6, 0x0001'5F90 - 10); }},
        {"no end segment", [](auto& s) { s.erase(s.begin() + std::ptrdiff_t(nth(s, 0x80))); }},
        {"out of order", [](auto& s) { std::swap(s[nth(s, 0x17)], s[nth(s, 0x14)]); }},
        {"uses palette entry",
         [](auto& s) {
             Seg& pds = s[nth(s, 0x14)];
             pds.payload.resize(pds.payload.size() - 5);
         }},
    };
    for (const Breakage& b : breakages) {
        std::vector<Seg> segments = split(good);
        b.breakIt(segments);
        const std::string faults = FaultText(PgsStreamFaults(join(segments)));
        EXPECT_NE(faults.find(b.rule), std::string::npos) << b.rule << " not found in:\n" << faults;
    }
}

// Films as people make them, converted to .sup, each checked whole.
TEST(PgsStreamRules, EveryStreamTheConverterWritesKeepsTheRules)
{
    QTemporaryDir dir;
    struct Case
    {
        const char* name;
        QByteArray text;
        QStringList options;
    };
    // Gaps of 0, 1 and 2 frames (and 50 ms) at 23.976 and 59.94.
    const std::vector<Case> cases{
        {"gap0_23.srt", film(40, 1000, 900, 0), {"-r", "23976"}},
        {"gap1_23.srt", film(40, 1000, 900, 42), {"-r", "23976"}},
        {"gap2_23.srt", film(40, 1000, 900, 84), {"-r", "23976"}},
        {"gap50_23.srt", film(40, 1000, 1500, 50), {"-r", "23976"}},
        {"gap0_59.srt", film(40, 1000, 900, 0), {"-r", "59940", "--frame-size", "1280x720"}},
        {"gap1_59.srt", film(40, 1000, 900, 17), {"-r", "59940", "--frame-size", "1280x720"}},
        {"gap2_59.srt", film(40, 1000, 900, 34), {"-r", "59940", "--frame-size", "1280x720"}},
        {"short_59.srt", film(30, 1000, 33, 17), {"-r", "59940", "--frame-size", "1280x720"}},
        {"at_zero.srt", film(3, 0, 1000, 0), {"-r", "25000"}},
        {"top_bottom.srt",
         "1\n00:00:00,500 --> 00:00:03,000\n{\\an8}A sign at the top\n\n"
         "2\n00:00:01,000 --> 00:00:02,000\nDialogue below\n\n"
         "3\n00:00:02,000 --> 00:00:02,050\nAnd more\n",
         {"--frame-size", "720x480", "-r", "29970"}},
        {"fade.ass",
         "[Script Info]\nScriptType: v4.00+\nPlayResX: 640\nPlayResY: 360\n\n"
         "[V4+ Styles]\nFormat: Name, Fontname, Fontsize, PrimaryColour, OutlineColour, "
         "Bold, Outline, Shadow, Alignment\n"
         "Style: Default,DejaVu Sans,28,&H00FFFFFF,&H00000000,0,2,0,2\n\n"
         "[Events]\nFormat: Layer, Start, End, Style, Text\n"
         "Dialogue: 0,0:00:00.00,0:00:03.00,Default,{\\fad(1000,1000)}Fading in and out\n"
         "Dialogue: 0,0:00:03.00,0:00:04.00,Default,{\\move(100,300,500,300)}Moving\n",
         {"--animation-steps", "50"}},
    };
    for (const Case& c : cases) {
        const QString input = dir.filePath(c.name);
        writeFile(input, c.text);
        const ConverterRun run =
            runConverter(QStringList{"--format", "pgs"} + c.options + QStringList{input});
        ASSERT_EQ(run.exitCode, 0) << c.name << ": " << run.err.toStdString();
        const QString sup = input.left(input.lastIndexOf('.')) + ".sup";
        const std::vector<std::string> faults = PgsFileFaults(sup.toStdString());
        EXPECT_TRUE(faults.empty()) << c.name << ":\n" << FaultText(faults);
        if (QString(c.name) == "fade.ass") {
            // Steps that cannot be decoded in time are left out rather than all shown later:
            // the last clearing comes when the last event ends (4 s, 360000 ticks).
            const Bytes bytes = readBytes(sup);
            ASSERT_GE(bytes.size(), 13u);
            const std::vector<Seg> segments = split(bytes);
            const Bytes& h = segments.back().header;
            const std::uint32_t pts = std::uint32_t(h[2]) << 24 | h[3] << 16 | h[4] << 8 | h[5];
            EXPECT_LE(pts, 360000u + 3600u);
        }
        if (QString(c.name) == "at_zero.srt") {
            EXPECT_TRUE((run.out + run.err).contains("Subtitle 1 is shown"))
                << "a subtitle at 00:00:00 is named as shown late: " << run.out.toStdString();
        }
    }
}
