#include "ui/FormStorage.h"

#include "platform/Messages.h"
#include "platform/StoredValues.h"
#include "settings/SettingsTable.h"
#include "ui/ColorListWidget.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QButtonGroup>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSignalBlocker>
#include <array>
#include <optional>

namespace lumelle {

namespace {

const QString kFormVersionKey = QStringLiteral("FormVersion");
const QString kShowCmdKey = QStringLiteral("ShowCmd");
const QString kFlagsKey = QStringLiteral("Flags");
const QString kPixelsPerInchKey = QStringLiteral("PixelsPerInch");
const QString kMinMaxPosKey = QStringLiteral("MinMaxPos");
const QString kNormPosKey = QStringLiteral("NormPos");

// Show states as the settings file numbers them.
constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;

// This platform has no placement flags and no minimized or maximized positions to report.
constexpr int kNoFlags = 0;
constexpr std::array<int, 4> kUnsetMinMaxPositions = {-1, -1, -1, -1};

// A restored window must show at least this much of itself on some screen, so that the user
// can still reach it after screens were removed or rearranged.
constexpr int kMinimumVisibleWidth = 32;
constexpr int kMinimumVisibleHeight = 16;

// The properties that can be stored, each with the kind of control that has it.
enum class Property { Caption, ItemIndex, Position, ColorValue, Checked };

std::optional<Property> propertyByName(const QString& name)
{
    static const std::pair<const char*, Property> kNames[] = {
        {"Caption", Property::Caption},   {"ItemIndex", Property::ItemIndex},
        {"Position", Property::Position}, {"ColorValue", Property::ColorValue},
        {"Checked", Property::Checked},
    };
    for (const auto& [text, property] : kNames) {
        if (name.compare(QLatin1String(text), Qt::CaseInsensitive) == 0)
            return property;
    }
    return std::nullopt;
}

struct Entry
{
    QString control;
    QString property;
};

std::optional<Entry> splitEntry(const QString& entry)
{
    const qsizetype dot = entry.indexOf(QLatin1Char('.'));
    if (dot <= 0 || dot + 1 >= entry.size())
        return std::nullopt;
    return Entry{entry.left(dot), entry.mid(dot + 1)};
}

// Unchecks one radio button without checking another: an exclusive group would refuse.
void uncheck(QAbstractButton* button)
{
    if (!button->isChecked())
        return;
    QButtonGroup* group = button->group();
    const bool groupExclusive = group && group->exclusive();
    const bool autoExclusive = button->autoExclusive();
    if (groupExclusive)
        group->setExclusive(false);
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(autoExclusive);
    if (groupExclusive)
        group->setExclusive(true);
}

} // namespace

FormStorage::FormStorage(QWidget* form, platform::IniStore* store, const QString& section,
                         QStringList storedProps, Kind kind)
    : m_form(form), m_store(store), m_section(section), m_storedProps(std::move(storedProps)),
      m_kind(kind)
{}

// ---------------------------------------------------------------- what the platform reports

QSize FormStorage::screenSize() const
{
    QScreen* screen = m_form ? m_form->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

int FormStorage::pixelsPerInch() const
{
    QScreen* screen = m_form ? m_form->screen() : QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInchY()) : 96;
}

int FormStorage::currentShowCmd() const
{
    if (!m_form)
        return kShowNormal;
    // For the main window this is the whole program: minimizing it minimizes the program.
    if (m_form->isMinimized())
        return kShowMinimized;
    if (m_form->isMaximized())
        return kShowMaximized;
    return kShowNormal;
}

QRect FormStorage::normalFrameRect() const
{
    if (!m_form)
        return {};
    const QRect frame = m_form->frameGeometry();
    if (!m_form->isMinimized() && !m_form->isMaximized())
        return frame;
    // Minimized or maximized: the rectangle it goes back to, with the frame around it.
    const QRect normal = m_form->normalGeometry();
    if (!normal.isValid())
        return frame;
    const QPoint frameOffset = m_form->geometry().topLeft() - frame.topLeft();
    return QRect(normal.topLeft() - frameOffset, frame.size());
}

// ---------------------------------------------------------------- save

void FormStorage::SaveFormPlacement()
{
    if (!m_store || !m_form)
        return;
    m_store->writeInteger(key(kFormVersionKey), kFormVersion);
    savePlacement();
    for (const QString& entry : m_storedProps)
        saveProperty(entry);
    m_saved = true;
}

void FormStorage::saveIfRestoredSinceSave()
{
    if (!m_saved)
        SaveFormPlacement();
}

void FormStorage::savePlacement()
{
    const QSize screen = screenSize();
    const QRect rect = normalFrameRect();
    // Windows-style rectangle: right and bottom are one past the last pixel.
    const std::array<int, 4> normPos = {rect.left(), rect.top(), rect.left() + rect.width(),
                                        rect.top() + rect.height()};
    const QString minMax = platform::fourIntegersText(kUnsetMinMaxPositions);
    const QString norm = platform::fourIntegersText(normPos);

    m_store->writeInteger(key(kShowCmdKey), currentShowCmd());
    m_store->writeInteger(key(kFlagsKey), kNoFlags);
    m_store->writeInteger(key(kPixelsPerInchKey), pixelsPerInch());
    m_store->writeText(key(platform::screenSizeKey(kMinMaxPosKey, screen)), minMax);
    m_store->writeText(key(kMinMaxPosKey), minMax);
    m_store->writeText(key(platform::screenSizeKey(kNormPosKey, screen)), norm);
    m_store->writeText(key(kNormPosKey), norm);
}

void FormStorage::saveProperty(const QString& text)
{
    const std::optional<Entry> entry = splitEntry(text);
    if (!entry)
        return;
    const std::optional<Property> property = propertyByName(entry->property);
    QObject* control = findControl(entry->control);
    if (!property || !control)
        return;
    const QString path = SettingsKey(m_section, entry->control, entry->property);
    switch (*property) {
    case Property::Caption:
        if (auto* label = qobject_cast<QLabel*>(control))
            m_store->writeText(path, label->text());
        break;
    case Property::ItemIndex:
        if (auto* list = qobject_cast<QComboBox*>(control))
            m_store->writeInteger(path, list->currentIndex());
        break;
    case Property::Position:
        if (auto* bar = qobject_cast<QAbstractSlider*>(control))
            m_store->writeInteger(path, bar->value());
        break;
    case Property::ColorValue:
        if (auto* colours = qobject_cast<ColorListWidget*>(control))
            m_store->writeColor(path, colours->colorValue());
        break;
    case Property::Checked:
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            m_store->writeBoolean(path, button->isChecked());
        break;
    }
}

// ---------------------------------------------------------------- restore

void FormStorage::RestoreFormPlacement()
{
    m_saved = false;
    if (!m_store || !m_form)
        return;
    // A section written by a newer form version would not be understood.
    if (m_store->readInteger(key(kFormVersionKey), 0) < kFormVersion)
        return;
    restorePlacement();
    const int showCmd = m_store->readInteger(key(kShowCmdKey), 0);
    for (const QString& entry : m_storedProps)
        restoreProperty(entry);
    applyShowCmd(showCmd);
}

void FormStorage::restorePlacement()
{
    const QSize screen = screenSize();
    // The value saved on a screen of this size if there is one, else the plain one.
    auto placementValue = [&](const QString& base) -> std::optional<QString> {
        if (std::optional<QString> sized =
                m_store->tryReadText(key(platform::screenSizeKey(base, screen))))
            return sized;
        return m_store->tryReadText(key(base));
    };
    // The flags and the minimized and maximized positions have no use on this platform; a
    // MinMaxPos value still counts as a stored placement.
    const std::optional<QString> minMax = placementValue(kMinMaxPosKey);
    const std::optional<QString> norm = placementValue(kNormPosKey);
    if (!minMax && !norm)
        return;
    // Positions saved at another pixels-per-inch setting would put the window elsewhere.
    if (m_store->readInteger(key(kPixelsPerInchKey), pixelsPerInch()) != pixelsPerInch())
        return;

    const QPoint current = m_form->pos();
    QPoint topLeft = current;
    if (norm) {
        const std::array<std::optional<int>, 4> rect = platform::parseFourIntegers(*norm);
        topLeft = QPoint(rect[0].value_or(current.x()), rect[1].value_or(current.y()));
    }
    // Both windows have fixed borders: they keep their size and only move.
    moveTo(topLeft);
}

void FormStorage::moveTo(QPoint topLeft)
{
    const QRect target(topLeft, m_form->frameGeometry().size());
    bool reachable = false;
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect visible = target.intersected(screen->availableGeometry());
        if (visible.width() >= kMinimumVisibleWidth && visible.height() >= kMinimumVisibleHeight)
            reachable = true;
    }
    if (!reachable)
        return;
    // Moving a window also turns off its automatic placement (centring) on the next show.
    m_form->move(topLeft);
}

void FormStorage::applyShowCmd(int showCmd)
{
    const Qt::WindowStates state = m_form->windowState();
    const Qt::WindowStates normal = state & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    switch (showCmd) {
    case 2:
    case 6:
    case 7:
        // The program starts minimized. Only the main window takes this state, and only
        // before the user has brought it up: the second restore at its first activation must
        // not minimize it again. A modal dialog never hides itself this way.
        if (m_kind == Kind::MainWindow && !m_form->isActiveWindow())
            m_form->setWindowState(normal | Qt::WindowMinimized);
        break;
    case 3:
        m_form->setWindowState(normal | Qt::WindowMaximized);
        break;
    default:
        if (state != normal)
            m_form->setWindowState(normal);
        break;
    }
}

void FormStorage::restoreProperty(const QString& text)
{
    const std::optional<Entry> entry = splitEntry(text);
    if (!entry)
        return;
    const std::optional<Property> property = propertyByName(entry->property);
    QObject* control = findControl(entry->control);
    const QString path = SettingsKey(m_section, entry->control, entry->property);
    if (!property || !control || !m_store->exists(path))
        return;
    // Each value that cannot be converted is skipped; the control keeps what it has.
    switch (*property) {
    case Property::Caption:
        if (auto* label = qobject_cast<QLabel*>(control)) {
            if (std::optional<QString> caption = m_store->tryReadText(path))
                label->setText(*caption);
        }
        break;
    case Property::ItemIndex:
        if (auto* list = qobject_cast<QComboBox*>(control)) {
            // Selecting from code raises no change event. An index outside the list is unusable
            // like any other bad value: a blank list would break every later load and be saved
            // back blank.
            std::optional<int> index = m_store->tryReadInteger(path);
            if (index && *index >= 0 && *index < list->count()) {
                QSignalBlocker quiet(list);
                list->setCurrentIndex(*index);
            }
        }
        break;
    case Property::Position:
        if (auto* bar = qobject_cast<QAbstractSlider*>(control)) {
            // Clamped into the range; a changed position raises the change handler.
            if (std::optional<int> position = m_store->tryReadInteger(path))
                bar->setValue(*position);
        }
        break;
    case Property::ColorValue:
        if (auto* colours = qobject_cast<ColorListWidget*>(control)) {
            // Selects the colour's entry, appending one when the list lacks it.
            if (std::optional<ColorValue> colour = m_store->tryReadColor(path))
                colours->setColorValue(*colour);
        }
        break;
    case Property::Checked:
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            if (std::optional<bool> checked = m_store->tryReadBoolean(path)) {
                // Checking one radio button clears the others of its group; clearing one
                // leaves the others as they are.
                if (*checked)
                    button->setChecked(true);
                else
                    uncheck(button);
            }
        }
        break;
    }
}

QObject* FormStorage::findControl(const QString& name) const
{
    if (!m_form)
        return nullptr;
    if (QObject* exact = m_form->findChild<QObject*>(name))
        return exact;
    // Control names, like property names, are found without regard to case.
    const QList<QObject*> all = m_form->findChildren<QObject*>();
    for (QObject* candidate : all) {
        if (candidate->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return candidate;
    }
    return nullptr;
}

// ---------------------------------------------------------------- the store's file

void LoadSettingsStore(platform::IniStore& store, const QString& fileName)
{
    if (fileName.isEmpty())
        return;
    QString error;
    if (!store.load(fileName, &error))
        platform::messages().showMessage(error + QStringLiteral(". The program starts with its "
                                                                "default settings and leaves "
                                                                "that file as it is."));
}

bool WriteSettingsStore(const platform::IniStore& store)
{
    QString error;
    if (store.write(&error))
        return true;
    platform::messages().showMessage(error +
                                     QStringLiteral(". The settings of this run were not saved."));
    return false;
}

} // namespace lumelle
