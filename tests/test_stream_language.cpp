// The language a stream is labelled with: from --language, its file's name, its text, or the
// stored default, in that order.
#include "ConverterRuns.h"
#include "subtitle/TextLanguage.h"
#include "vobsub/Languages.h"
#include "vobsub/StreamLanguage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lumelle;

namespace {

// Two subtitles in English, long enough for the text to tell its language.
const char kEnglish[] = "1\n00:00:01,000 --> 00:00:03,000\n"
                        "We should go home now, it is getting late.\n\n"
                        "2\n00:00:04,000 --> 00:00:06,000\n"
                        "I am very tired and the children are asleep.\n";

class StreamLanguages : public ::testing::Test
{
protected:
    QString write(const QString& name, const QByteArray& text)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }
    QByteArray read(const QString& name)
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The "id:" line of the index written for `name`.
    QString idLine(const QString& name)
    {
        for (const QByteArray& line : read(name).split('\n'))
            if (line.startsWith("id:"))
                return QString::fromLatin1(line).trimmed();
        return QString();
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST(TextLanguage, TheLanguageOfADozenTextsIsFound)
{
    const struct
    {
        const char* code;
        const char* text;
    } cases[] = {
        {"en", "We should go home now, it is getting late and I am very tired."},
        {"de", "Wir sollten jetzt nach Hause gehen, es wird spät und ich bin sehr müde."},
        {"fr", "Nous devrions rentrer maintenant, il se fait tard et je suis très fatigué."},
        {"es", "Deberíamos ir a casa ahora, se está haciendo tarde y estoy muy cansado."},
        {"it", "Dovremmo andare a casa adesso, si sta facendo tardi e sono molto stanco."},
        {"pl", "Powinniśmy już iść do domu, robi się późno i jestem bardzo zmęczony."},
        {"ru", "Нам пора идти домой, уже поздно, и я очень устал."},
        {"el", "Πρέπει να πάμε σπίτι τώρα, είναι αργά και είμαι πολύ κουρασμένος."},
        {"he", "אנחנו צריכים ללכת הביתה עכשיו, כבר מאוחר ואני מאוד עייף."},
        {"ar", "يجب أن نذهب إلى المنزل الآن، لقد تأخر الوقت وأنا متعب جدا."},
        {"tr", "Artık eve gitmeliyiz, geç oluyor ve ben çok yorgunum."},
        {"ja", "もう家に帰るべきです。遅くなってきたし、とても疲れています。"},
        {"zh", "我们现在应该回家了，天色已晚，我很累。"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IdentifyTextLanguage(c.text), c.code) << c.text;
    // Too little to tell, and bytes that are no UTF-8, name nothing.
    EXPECT_EQ(IdentifyTextLanguage("ok"), "");
    EXPECT_EQ(IdentifyTextLanguage("\xff\xfe\x41 not text \xc3"), "");
}

TEST(TextLanguage, CodesBecomeEntriesOfTheLanguageList)
{
    // Hebrew is listed under its older code; both name it, and both have its ISO 639-2 code.
    EXPECT_EQ(LanguageTextFor(QStringLiteral("he")), QStringLiteral("iw HEBREW"));
    EXPECT_EQ(LanguageTextFor(QStringLiteral("iw")), QStringLiteral("iw HEBREW"));
    EXPECT_EQ(LanguageTextFor(QStringLiteral("en")), QStringLiteral("en ENGLISH"));
    EXPECT_EQ(LanguageTextFor(QStringLiteral("nb")), QStringLiteral("nb")); // outside the list
    EXPECT_EQ(LanguageTextFor(QStringLiteral("qq")), QString());
    EXPECT_EQ(ThreeLetterLanguageCode(QStringLiteral("he")), QStringLiteral("heb"));
    EXPECT_EQ(ThreeLetterLanguageCode(QStringLiteral("iw")), QStringLiteral("heb"));
}

TEST_F(StreamLanguages, APlainFileIsLabelledByItsNameThenItsTextThenTheDefault)
{
    const QByteArray shortText = "1\n00:00:01,000 --> 00:00:03,000\nok\n";
    const struct
    {
        const char* file;
        QByteArray text;
        QStringList options;
        const char* id;
        const char* said; // on standard error; empty: no language line (only the text is a guess)
    } cases[] = {
        {"a.de.srt", kEnglish, {}, "id: de, index: 0", ""},
        {"b.he.srt", kEnglish, {}, "id: iw, index: 0", ""},
        {"c.srt", kEnglish, {}, "id: en, index: 0", "language: English, from the text"},
        {"d.srt", shortText, {}, "id: el, index: 0", ""},
        {"e.de.srt",
         kEnglish,
         {QStringLiteral("--language"), QStringLiteral("fr")},
         "id: fr, index: 0",
         ""},
    };
    for (const auto& c : cases) {
        const QString file = write(QLatin1String(c.file), c.text);
        const ConverterRun run =
            runConverter(QStringList(c.options) << QStringLiteral("--wrap") << file);
        EXPECT_EQ(run.exitCode, 0) << c.file << run.err.toStdString();
        QString idx = QLatin1String(c.file);
        idx.replace(QStringLiteral(".srt"), QStringLiteral(".idx"));
        EXPECT_EQ(idLine(idx), QLatin1String(c.id)) << c.file;
        if (*c.said)
            EXPECT_TRUE(run.out.contains(QLatin1String(c.said))) << run.out.toStdString();
        else
            EXPECT_FALSE(run.out.contains(QStringLiteral("language:"))) << run.out.toStdString();
        EXPECT_FALSE(run.err.contains(QStringLiteral("language:"))) << run.err.toStdString();
    }
}

TEST_F(StreamLanguages, AForcedNameMakesAPlainFileForcedAndTheListingSaysTheLanguage)
{
    const QString marked = write(QStringLiteral("film.de.forced.srt"), kEnglish);
    const QString plain = write(QStringLiteral("film.srt"), kEnglish);
    ASSERT_EQ(runConverter({QStringLiteral("--wrap"), marked}).exitCode, 0);
    ASSERT_EQ(runConverter({QStringLiteral("--wrap"), QStringLiteral("--forced"), plain}).exitCode,
              0);
    ASSERT_EQ(runConverter({QStringLiteral("--wrap"), write(QStringLiteral("other.srt"), kEnglish)})
                  .exitCode,
              0);
    EXPECT_EQ(read(QStringLiteral("film.de.forced.sub")), read(QStringLiteral("film.sub")));
    EXPECT_NE(read(QStringLiteral("film.de.forced.sub")), read(QStringLiteral("other.sub")));
    EXPECT_EQ(idLine(QStringLiteral("film.de.forced.idx")), QStringLiteral("id: de, index: 0"));

    const ConverterRun listing = runConverter({QStringLiteral("--list"), plain});
    EXPECT_TRUE(listing.err.contains(QStringLiteral("film.srt: language: English, from the text")))
        << listing.err.toStdString();
    EXPECT_FALSE(listing.out.contains(QStringLiteral("language:"))); // the rows stay rows
    const ConverterRun named =
        runConverter({QStringLiteral("--list"),
                      write(QStringLiteral("b.he.srt"), "1\n00:00:01,000 --> 00:00:02,000\nok\n")});
    EXPECT_TRUE(named.err.contains(QStringLiteral("b.he.srt: language: Hebrew, from the name")))
        << named.err.toStdString();
}
