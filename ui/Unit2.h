// The About window: what the program is for, how to use it, the running version and credits,
// the update check and three links to the maker's pages. Shown modally from the main window.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace lumelle {

// The maker's pages, all on the configured site host.
QString SiteAddress();     // shown as the site's name, opened by "Visit the official site"
QString ForumAddress();    // named in the About text
QString DonationAddress(); // opened by the donate picture
QString AboutText();       // the text of Label1, lines separated by line breaks
QStringList UsageLines();  // the eleven lines of Memo1

class TForm2 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm2(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* Label2;
    QLabel* Label1;
    QLabel* Label3;
    QLabel* LabelVersion;
    QLabel* LabelLicence; // the licence Lumelle is released under
    QPlainTextEdit* Memo1;
    QLabel* Label4;
    QLabel* Label6;
    QLabel* Label5;
    QLabel* Label7;
    QPushButton* ButtonVisitSite;
    QPushButton* ButtonCheckVersion;
    QPushButton* ButtonKestrabind;
    QLabel* ImageDonate;

    // Loads the About picture and sets the About text.
    void FormCreate();
    void ButtonVisitSiteClick();
    // The update check, with the shown version as the running one.
    void ButtonCheckVersionClick();
    void ButtonKestrabindClick();
    void ImageDonateClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildVersionAndUsage();
    void buildThanks();
    void buildLinks();
};

// The built-in pictures of the About window: 81 x 81 and 62 x 30.
QPixmap AboutPicture();
QPixmap DonatePicture();

} // namespace lumelle
