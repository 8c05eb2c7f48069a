// The About window: its texts and places, the three links and the version check, which sends
// the version it shows.
#include "doubles/FakeHttpClient.h"
#include "doubles/RecordingMessages.h"
#include "doubles/RecordingShell.h"
#include "ui/Unit2.h"
#include "ui/UpdateCheck.h"
#include "vobsub/HelpText.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace lumelle;

namespace {

class AboutTest : public ::testing::Test
{
protected:
    void answer(const QString& body) { answers->push_back({body, std::nullopt}); }

    platform::RecordingMessages recorded;
    platform::ScopedMessages useRecorded{&recorded};
    platform::RecordingShell shell;
    platform::ScopedShell useShell{&shell};
    std::shared_ptr<platform::FakeHttpClient::Log> log =
        std::make_shared<platform::FakeHttpClient::Log>();
    std::shared_ptr<std::deque<platform::FakeHttpClient::Answer>> answers =
        std::make_shared<std::deque<platform::FakeHttpClient::Answer>>();
    platform::HttpClientFactory fakeClients = [this] {
        return std::make_unique<platform::FakeHttpClient>(log, answers);
    };
    platform::ScopedHttpClientFactory useFakeClients{&fakeClients};
    TForm2 about;
};

} // namespace

TEST_F(AboutTest, WindowTextsAndPlaces)
{
    EXPECT_EQ(about.windowTitle(), QString("About"));
    EXPECT_EQ(about.size(), QSize(464, 459));
    EXPECT_TRUE(about.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(about.windowFlags() & Qt::Tool);
    EXPECT_EQ(about.Label3->text(), QString("Current version :"));
    EXPECT_EQ(about.LabelVersion->text(), QString("3.2"));
    EXPECT_EQ(about.LabelVersion->text(), QString(LUMELLE_VERSION));
    EXPECT_TRUE(about.LabelVersion->font().bold());
    // The licence beside the version, neither over it nor cut off by the window's edge.
    EXPECT_EQ(about.LabelLicence->text(), QString("MIT licence (Expat)"));
    EXPECT_GT(about.LabelLicence->geometry().left(), about.LabelVersion->geometry().right());
    EXPECT_LE(about.LabelLicence->geometry().right(), about.width());
    EXPECT_EQ(about.Label4->text(), QString("Special Thanks to:"));
    for (QLabel* credit : {about.Label6, about.Label5, about.Label7}) {
        EXPECT_FALSE(credit->text().isEmpty());
        EXPECT_TRUE(credit->font().bold());
        EXPECT_LE(credit->geometry().right(), about.width()) << credit->text().toStdString();
    }
    EXPECT_EQ(about.ButtonVisitSite->text(),
              QString("Visit the official site ") + LUMELLE_SITE_HOST);
    EXPECT_EQ(about.ButtonCheckVersion->text(), QString("Check Version"));
    EXPECT_EQ(about.ButtonKestrabind->text(), QString("Mux Vobsubs (Multilanguage support)"));
    EXPECT_EQ(about.ButtonVisitSite->geometry(), QRect(8, 392, 217, 25));
    EXPECT_EQ(about.ButtonCheckVersion->geometry(), QRect(240, 392, 217, 25));
    EXPECT_EQ(about.ButtonKestrabind->geometry(), QRect(8, 424, 217, 25));
    EXPECT_EQ(about.ImageDonate->geometry(), QRect(392, 423, 65, 33));
    EXPECT_EQ(about.Image1->pixmap().size(), QSize(81, 81));
    EXPECT_EQ(about.ImageDonate->pixmap().size(), QSize(62, 30));
}

TEST_F(AboutTest, AboutTextNamesTheSiteAndTheForum)
{
    const QStringList lines = about.Label1->text().split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], QString("Lumelle convert's txt subtitles to Vobsubs (idx/sub) in order to "
                                "put them in a Dvd Device Player.that supports vobsub subtitles."));
    EXPECT_EQ(lines[1], "The official site is : " + SiteAddress() + " .");
    EXPECT_EQ(lines[2], "For any suggestions please visit our forums :  " + ForumAddress());
    EXPECT_EQ(lines[3], QString());
    EXPECT_TRUE(lines[4].startsWith("Important Update : Lumelle is NOT a GUI anymore. From now on "
                                    "is an standalone application ("));
    EXPECT_TRUE(lines[4].endsWith(")"));
    EXPECT_TRUE(SiteAddress().contains(LUMELLE_SITE_HOST));
}

TEST_F(AboutTest, UsageTextIsElevenLinesExactly)
{
    const QStringList expected = {
        "Usage : ",
        "1) Just load your srt. At this time the program looks the width of every textual ",
        "subtitle in order to fit it on the video screen.",
        "",
        "2) If the srt loads correctly then choose the correct fps and press 'Generate VobSub'. ",
        "Otherwise try to edit the srt or just pick a smaller font.",
        "",
        "3) Further informations will be Generated in an txt file. Just read them !",
        "",
        "*Tip : If your vobsub file does not shows up at your movie all just ",
        "try to move the subtitle upper",
    };
    EXPECT_EQ(about.Memo1->toPlainText().split('\n'), expected);
    EXPECT_TRUE(about.Memo1->isReadOnly());
}

TEST_F(AboutTest, LinksOpenTheirAddresses)
{
    about.ButtonVisitSite->click();
    about.ButtonKestrabind->click();
    // The donate picture is a link: a left click on it opens the donation page.
    const QPointF inside(10, 10);
    QMouseEvent press(QEvent::MouseButtonPress, inside, about.ImageDonate->mapToGlobal(inside),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, inside, about.ImageDonate->mapToGlobal(inside),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(about.ImageDonate, &press);
    QApplication::sendEvent(about.ImageDonate, &release);
    EXPECT_EQ(shell.opened(),
              (QStringList{SiteAddress(), QString::fromStdString(KestrabindAddress()),
                           DonationAddress()}));
    EXPECT_TRUE(recorded.entries().empty());
}

TEST_F(AboutTest, CheckVersionSendsTheShownVersion)
{
    answer("3.2");
    about.ButtonCheckVersion->click();
    EXPECT_EQ(recorded.texts(), QStringList{"No updates found."});
    EXPECT_EQ(log->addresses, QStringList{QString("https://") + LUMELLE_SITE_HOST +
                                          ":443/divx/Versions/LumelleVersion.html"});
    EXPECT_TRUE(shell.opened().isEmpty());

    // Whatever the label shows is what is compared.
    recorded.clear();
    about.LabelVersion->setText("3.1");
    answer("3.2");
    recorded.queueAnswer(true);
    about.ButtonCheckVersion->click();
    EXPECT_EQ(recorded.texts(), QStringList{"Update Found. Version :3.2\rUpdate Now ?"});
    ASSERT_EQ(shell.opened().size(), 1);
    EXPECT_TRUE(shell.opened()[0].endsWith("/divx/SoftwareLumelle.html"));
}

TEST_F(AboutTest, EachUpdateOutcomeHasItsMessage)
{
    using Outcome = UpdateCheckResult::Outcome;
    using Kind = platform::RecordingMessages::Kind;
    const QString page = QStringLiteral("http://example.org/download.html");
    const auto shown = [&](UpdateCheckResult result, bool answer = false) {
        recorded.clear();
        if (result.outcome == Outcome::UpdateFound)
            recorded.queueAnswer(answer);
        ShowUpdateCheckResult(result, page);
        return recorded.entries();
    };
    const auto only = [](const std::vector<platform::RecordingMessages::Entry>& entries) {
        EXPECT_EQ(entries.size(), 1u);
        return entries.empty() ? std::pair{Kind::Message, QString()}
                               : std::pair{entries[0].kind, entries[0].text};
    };

    EXPECT_EQ(only(shown({Outcome::Refused, {}})),
              std::pair(Kind::Message, QString("Max Updaters created")));
    EXPECT_EQ(
        only(shown({Outcome::ServerDown, "404 Not Found"})),
        std::pair(Kind::Information, QString("Server Down. Retry later. Error : 404 Not Found")));
    EXPECT_EQ(only(shown({Outcome::Offline, "Connection refused"})),
              std::pair(Kind::Information, QString("You are Offline. Connect to internet and "
                                                   "retry. Error : Connection refused")));
    EXPECT_TRUE(shown({Outcome::EmptyPage, {}}).empty());
    EXPECT_EQ(only(shown({Outcome::UpToDate, {}})),
              std::pair(Kind::Message, QString("No updates found.")));
    EXPECT_TRUE(shell.opened().isEmpty());

    // The page is shown as it came, line break and all; only Yes opens the download page.
    EXPECT_EQ(only(shown({Outcome::UpdateFound, "3.2\n"}, false)),
              std::pair(Kind::Question, QString("Update Found. Version :3.2\n\rUpdate Now ?")));
    EXPECT_TRUE(shell.opened().isEmpty());
    EXPECT_EQ(only(shown({Outcome::UpdateFound, "3.3"}, true)),
              std::pair(Kind::Question, QString("Update Found. Version :3.3\rUpdate Now ?")));
    EXPECT_EQ(shell.opened(), QStringList{page});
}
