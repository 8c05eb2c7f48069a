// Checks of a window's layout shared by the layout tests: the screens a window must fit, the
// catalogue of a language installed for one test, and the check that the shown controls of a
// parent stand inside it, whole and apart.
#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTranslator>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>

inline void registerLayoutCatalogues()
{
    Q_INIT_RESOURCE(translations);
}

namespace lumelle::testing {

// The client area a window can have: the screen in logical pixels, less a desktop panel and a
// window manager's frame (a title bar and thin borders).
inline QSize roomOf(QSize screen, int panel)
{
    const QMargins frame(4, 28, 4, 4);
    return QSize(screen.width(), screen.height() - panel).shrunkBy(frame);
}

struct Screen
{
    const char* name;
    QSize room;
};

inline const Screen kScreens[] = {
    {"1024x768", roomOf({1024, 768}, 32)},
    {"1920x1080 at 150 %", roomOf({1280, 720}, 32)},
    {"1920x1080 at 200 %", roomOf({960, 540}, 32)},
};

// The languages of the window: English (no catalogue) and those of translations/.
inline const char* const kLanguages[] = {"en", "de", "fr", "es"};

// The catalogue of one language, installed while it lives; none for English.
class ScopedLanguage
{
public:
    explicit ScopedLanguage(const QString& language)
    {
        registerLayoutCatalogues();
        if (language != QLatin1String("en")) {
            m_loaded = m_catalogue.load(QStringLiteral(":/translations/lumelle_") + language);
            if (m_loaded)
                QCoreApplication::installTranslator(&m_catalogue);
        } else
            m_loaded = true;
    }
    ~ScopedLanguage() { QCoreApplication::removeTranslator(&m_catalogue); }
    ScopedLanguage(const ScopedLanguage&) = delete;
    ScopedLanguage& operator=(const ScopedLanguage&) = delete;

    bool loaded() const { return m_loaded; }

private:
    QTranslator m_catalogue;
    bool m_loaded = false;
};

// The width a control's text needs to show whole; 0 for a control without one.
inline int neededWidth(const QWidget* widget)
{
    widget->ensurePolished();
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->wordWrap() ? 0 : label->fontMetrics().horizontalAdvance(label->text());
    if (qobject_cast<const QCheckBox*>(widget) || qobject_cast<const QRadioButton*>(widget))
        return widget->sizeHint().width();
    if (auto* button = qobject_cast<const QPushButton*>(widget))
        return button->text().isEmpty()
                   ? 0
                   : button->fontMetrics().horizontalAdvance(button->text()) + 8;
    return 0;
}

// "(x,y w x h)", for the messages.
inline std::string placeOf(const QWidget* widget)
{
    const QRect r = widget->geometry();
    return QStringLiteral("(%1,%2 %3x%4)")
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height())
        .toStdString();
}

inline QString nameOf(const QWidget* widget)
{
    return widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                          : widget->objectName();
}

// The shown children of `parent`: each inside it, its text whole, none over another.
inline void checkChildren(const QWidget* parent, const QString& where)
{
    QList<const QWidget*> shown;
    for (const QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isHidden())
            shown << child;
    }
    for (const QWidget* child : shown) {
        const QString name = where + QLatin1Char('/') + nameOf(child);
        EXPECT_TRUE(parent->rect().contains(child->geometry()))
            << name.toStdString() << " leaves its parent: " << placeOf(child);
        EXPECT_LE(neededWidth(child), child->width()) << name.toStdString() << " is cut";
        if (auto* label = qobject_cast<const QLabel*>(child); label && label->wordWrap()) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height())
                << name.toStdString() << " is cut";
        }
    }
    for (qsizetype i = 0; i < shown.size(); ++i) {
        for (qsizetype j = i + 1; j < shown.size(); ++j)
            EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
                << (where + QLatin1Char('/') + nameOf(shown[i])).toStdString() << " "
                << placeOf(shown[i]) << " covers " << nameOf(shown[j]).toStdString() << " "
                << placeOf(shown[j]);
    }
}

// `layout` and every group box in it, each checked as above.
inline void checkLayout(const QWidget* layout, const QString& where)
{
    checkChildren(layout, where);
    for (const QWidget* group : layout->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly))
        checkChildren(group, where + QLatin1Char('/') + group->objectName());
}

} // namespace lumelle::testing
