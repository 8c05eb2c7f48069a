#include "ui/Unit3.h"

#include "ui/Unit1.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace lumelle {

TFormColorOptions::TFormColorOptions(TForm1* mainWindow, QWidget* parent)
    : QDialog(parent), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("FormColorOptions"));
    setWindowTitle(QStringLiteral("Color Options"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    setFixedSize(462, 600);

    auto* group = new QGroupBox(QStringLiteral("Select Method"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    group->setGeometry(8, 8, 449, 465);

    auto makeRadio = [group](const char* name, const QString& caption, QRect place) {
        auto* radio = new QRadioButton(caption, group);
        radio->setObjectName(QLatin1String(name));
        QFont font = radio->font();
        font.setBold(true);
        radio->setFont(font);
        radio->setGeometry(place);
        return radio;
    };
    RadioButtonPC = makeRadio("RadioButtonPC", QStringLiteral("PC ONLY"), {16, 152, 73, 17});
    RadioButtonDVD = makeRadio("RadioButtonDVD", QStringLiteral("DVD ONLY"), {16, 224, 89, 17});
    RadioButtonPCDVD1 = makeRadio("RadioButtonPCDVD1",
                                  QStringLiteral("PC + DVD By using two palettes (recommended)"),
                                  {16, 312, 313, 17});
    RadioButtonPCDVD2 =
        makeRadio("RadioButtonPCDVD2", QStringLiteral("PC + DVD By using an safe color palette"),
                  {16, 376, 273, 17});
    RadioButtonPCDVD1->setChecked(true);

    ButtonDone = new QPushButton(QStringLiteral("Done"), this);
    ButtonDone->setObjectName(QStringLiteral("ButtonDone"));
    ButtonDone->setGeometry(368, 568, 89, 25);
    ButtonDone->setAutoDefault(false);
    connect(ButtonDone, &QPushButton::clicked, this, &QDialog::accept);
}

PaletteMode TFormColorOptions::paletteMode() const
{
    if (RadioButtonPC->isChecked())
        return PaletteMode::PcOnly;
    if (RadioButtonDVD->isChecked())
        return PaletteMode::DvdOnly;
    if (RadioButtonPCDVD2->isChecked())
        return PaletteMode::PcDvdSafePalette;
    return PaletteMode::PcDvdTwoPalettes;
}

void TFormColorOptions::ApplyPaletteMode(QObject*)
{
    if (!m_mainWindow)
        return;
    const bool safe = RadioButtonPCDVD2->isChecked();
    m_mainWindow->fillColorBoxes(m_mainWindow->JvColorButtonAntialias, 1, safe);
    m_mainWindow->fillColorBoxes(m_mainWindow->JvColorButtonOutline, 0, safe);
    m_mainWindow->fillColorBoxes(m_mainWindow->JvColorButtonText, 2, safe);
    m_mainWindow->ComboBox7Change();
}

void TFormColorOptions::done(int result)
{
    QDialog::done(result);
    if (m_mainWindow)
        m_mainWindow->RunGuarded([this] { ApplyPaletteMode(this); });
}

} // namespace lumelle
