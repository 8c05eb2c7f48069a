// The main window's fitting steps: controls widened for their texts in the user's language, and
// the arrangement for a screen too small for the designed one.
#include "ui/MainWindowLayout.h"

#include "settings/SettingsTable.h"
#include "ui/ColorListWidget.h"
#include "ui/PreviewView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <algorithm>
#include <vector>

namespace lumelle {

namespace {

// The preview's place and its designed box: the PAL frame, shown whole.
constexpr int kPreviewLeft = 40;
constexpr int kPreviewTop = 126;
constexpr QSize kPreviewBox(720, 576);
// The output folder's row under the preview, and the space around it.
constexpr int kFolderRowHeight = 26;
constexpr int kSpace = 2;
// Between neighbouring groups and at the window's right edge.
constexpr int kGroupGap = 7;
constexpr int kWindowMargin = 8;
// The smallest list of the output's languages that still shows a few files.
constexpr int kSmallestStreamList = 60;
// The preview is never shown smaller than this share of its frame.
constexpr int kSmallestPreviewShare = 4;
// The top of the column of the output form and languages, as designed.
constexpr int kDesignedPairTop = 4;
// The column's height once its texts are fitted, before any screen shortened it.
constexpr char kPairHeight[] = "fittedHeight";
// Between a note of the output form's column and what follows it.
constexpr int kSpaceUnderNote = 10;
// Between the offsets and the outline's list.
constexpr int kOutlineGap = 3;
// Room a push button's frame and padding take beside its caption.
constexpr int kButtonPadding = 12;

// The width `widget` needs to show its text whole in the user's language; 0 when its width does
// not depend on a text.
int textWidth(QWidget* widget)
{
    // The style sheet's font is the widget's once it is polished.
    widget->ensurePolished();
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->wordWrap() ? 0 : label->sizeHint().width();
    if (auto* box = qobject_cast<const QCheckBox*>(widget))
        return box->sizeHint().width();
    if (auto* button = qobject_cast<const QPushButton*>(widget)) {
        if (button->text().isEmpty())
            return 0;
        return button->fontMetrics().horizontalAdvance(button->text()) + kButtonPadding;
    }
    return 0;
}

// Controls standing one above the other at a designed left edge and width: a caption over its
// list, or a button alone.
struct Column
{
    int width;
    std::vector<QWidget*> widgets;
};

// Moves each column right by what the columns before it grew, and widens the controls of each to
// their texts; the column grows by its widest control's growth. Returns how much all of them grew.
int packColumns(const std::vector<Column>& columns, int shift = 0)
{
    int growth = 0;
    for (const Column& column : columns) {
        int width = column.width;
        for (QWidget* widget : column.widgets) {
            widget->move(widget->x() + shift + growth, widget->y());
            const int needed = textWidth(widget);
            if (needed > widget->width())
                widget->resize(needed, widget->height());
            width = std::max(width, widget->width());
        }
        growth += width - column.width;
    }
    return growth;
}

// The offsets between the alignment's list and the outline's, from `left`: their caption with
// the horizontal track bar under it and its value beside the caption, then the vertical track
// bar over the group's height with its value beside it. Each value has room for its widest
// text, so that a moved track bar never puts its value over a neighbour. Returns the right edge.
int placeOffsets(MainWindowControls& c, int left)
{
    const QFontMetrics metrics = c.LabelOffset->fontMetrics();
    const int valueWidth = std::max(metrics.horizontalAdvance(QString::number(kOffsetMax)),
                                    metrics.horizontalAdvance(QString::number(kOffsetMin)));
    const int lineGapWidth = std::max(metrics.horizontalAdvance(QString::number(kLineGapMin)),
                                      metrics.horizontalAdvance(QString::number(kLineGapMax)));
    c.Label10->move(left, c.Label8->y());
    const int captionRow = c.Label10->height();
    c.LabelOffset->move(left + c.Label10->width() + 4, c.Label10->y());
    const int barWidth = std::max(c.offset->width(), c.LabelOffset->x() + valueWidth - left);
    c.offset->setGeometry(left, c.Label10->y() + captionRow + 3, barWidth, c.offset->height());
    c.offset_or->move(left + barWidth + kSpace, c.offset_or->y());
    c.LabelOffset_Or->move(c.offset_or->geometry().right() + 1 + kSpace,
                           c.offset_or->y() + (c.offset_or->height() - captionRow) / 2);
    return c.LabelOffset_Or->x() + lineGapWidth;
}

// Widens `group` by what its columns grew; returns that growth.
int packGroup(QGroupBox* group, const std::vector<Column>& columns)
{
    const int growth = packColumns(columns);
    group->resize(group->width() + growth, group->height());
    return growth;
}

// A word-wrapped label as tall as its lines need in the window's font; what stands below it in
// its group moves down where it would come closer than the designed space.
void fitWrappedLabel(QLabel* label)
{
    label->ensurePolished();
    label->resize(label->width(), label->heightForWidth(label->width()));
    QWidget* group = label->parentWidget();
    QList<QWidget*> below;
    int top = group->height();
    for (QWidget* other : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other != label && other->y() > label->y()) {
            below << other;
            top = std::min(top, other->y());
        }
    }
    const int growth = label->geometry().bottom() + 1 + kSpaceUnderNote - top;
    if (growth <= 0)
        return;
    for (QWidget* other : below)
        other->move(other->x(), other->y() + growth);
    group->resize(group->width(), group->height() + growth);
}

// The column of the output form and languages: its two rows of side-by-side controls, its
// controls as wide as the column and its wrapped notes.
void fitPairColumn(MainWindowControls& c)
{
    const int designedInner = c.ComboBoxOutputForm->width();
    int growth =
        std::max(packColumns({{121, {c.ComboBoxStreamLanguage}}, {99, {c.CheckBoxStreamForced}}}),
                 packColumns({{112, {c.ButtonAddStream}}, {112, {c.ButtonRemoveStream}}}));
    const QList<QWidget*> children =
        c.GroupBoxPair->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (child->width() == designedInner)
            growth = std::max(growth, textWidth(child) - designedInner);
    }
    if (growth > 0) {
        for (QWidget* child : children) {
            if (child->width() == designedInner)
                child->resize(designedInner + growth, child->height());
        }
        c.GroupBoxPair->resize(c.GroupBoxPair->width() + growth, c.GroupBoxPair->height());
    }
    for (QLabel* label : c.GroupBoxPair->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->wordWrap())
            fitWrappedLabel(label);
    }
}

// The row of the output folder, `width` wide, its controls from `left` to `right`: its caption, the
// folder's field taking what the two buttons leave.
void placeFolderRow(MainWindowControls& c, int top, int left, int right, int width)
{
    c.GroupBoxOutputFolder->setGeometry(0, top, width, kFolderRowHeight);
    QPushButton* beside = c.ButtonOutputBeside;
    QPushButton* choose = c.ButtonOutputFolder;
    beside->move(right - beside->width(), beside->y());
    choose->move(beside->x() - 4 - choose->width(), choose->y());
    auto* caption = c.GroupBoxOutputFolder->findChild<QLabel*>(
        QStringLiteral("LabelOutputFolderCaption"), Qt::FindDirectChildrenOnly);
    caption->move(left, caption->y());
    const int fieldLeft = caption->geometry().right() + 6;
    c.EditOutputFolder->setGeometry(fieldLeft, c.EditOutputFolder->y(),
                                    std::max(0, choose->x() - 6 - fieldLeft),
                                    c.EditOutputFolder->height());
}

// The pair column at `place`; the list of languages takes the height it gains or loses, and what
// stands below the list moves with it.
void placePairColumn(MainWindowControls& c, QPoint topLeft, int height)
{
    const int growth = height - c.GroupBoxPair->height();
    const int listBottom = c.ListStreams->geometry().bottom();
    for (QWidget* child : c.GroupBoxPair->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->y() > listBottom)
            child->move(child->x(), child->y() + growth);
    }
    c.ListStreams->resize(c.ListStreams->width(), c.ListStreams->height() + growth);
    c.GroupBoxPair->setGeometry(QRect(topLeft, QSize(c.GroupBoxPair->width(), height)));
}

// The right edge of the two rows of groups above the preview.
int topRowsRight(const MainWindowControls& c)
{
    return std::max(c.GroupBoxSettings->geometry().right(), c.ListBox1->geometry().right()) + 1;
}

} // namespace

void MainWindowLayout::fitTexts(MainWindowControls& c)
{
    int shift = packGroup(
        c.GroupBoxInput, {{89, {c.EditLoadSrt, c.ButtonLoadSrt}}, {57, {c.Label2, c.ComboBoxFps}}});
    c.GroupBoxOutput->move(c.GroupBoxOutput->x() + shift, c.GroupBoxOutput->y());
    shift += packGroup(c.GroupBoxOutput, {{81, {c.Label14, c.ComboBoxVobsubLanguage}}});
    c.GroupBoxColors->move(c.GroupBoxColors->x() + shift, c.GroupBoxColors->y());
    shift += packGroup(c.GroupBoxColors, {{41, {c.Label3, c.JvColorButtonAntialias}},
                                          {41, {c.Label4, c.JvColorButtonOutline}},
                                          {41, {c.Label5, c.JvColorButtonText}},
                                          {81, {c.ButtonColorOptions}}});
    c.GroupBoxSettings->move(c.GroupBoxSettings->x() + shift, c.GroupBoxSettings->y());
    packGroup(
        c.GroupBoxSettings,
        {{54, {c.BitBtnSetDefaultValues}}, {54, {c.BitBtnChangeImage}}, {54, {c.ButtonAbout}}});

    shift = packGroup(c.GroupBoxRender, {{81, {c.Label8, c.ComboBox5}},
                                         {81, {c.Label11, c.ComboBox7}},
                                         {81, {c.Label12, c.ComboBox8}},
                                         {40, {c.Label9, c.ComboBoxFontSize}},
                                         {55, {c.LabelAlign, c.ComboBoxAlign}}});
    const int offsetsRight = placeOffsets(c, c.ComboBoxAlign->geometry().right() + 1 + kSpace);
    // The outline's list keeps its designed gap right of the offsets.
    const int outlineShift = offsetsRight + kOutlineGap - c.Label13->x();
    const int renderGrowth =
        outlineShift + packColumns({{36, {c.Label13, c.ComboBoxOutlineWidth}}}, outlineShift);
    c.GroupBoxRender->resize(c.GroupBoxRender->width() + renderGrowth - shift,
                             c.GroupBoxRender->height());
    shift = renderGrowth;
    // The wrap box stands on the group's frame, beside its title.
    if (const int needed = textWidth(c.CheckBoxWrap); needed > c.CheckBoxWrap->width())
        c.CheckBoxWrap->resize(needed, c.CheckBoxWrap->height());
    shift += packColumns({{106, {c.ProgressBar1, c.ButtonGenerate}}}, shift);
    c.ListBox1->move(c.ListBox1->x() + shift, c.ListBox1->y());

    fitPairColumn(c);
    c.GroupBoxPair->setProperty(kPairHeight, c.GroupBoxPair->height());
    for (QPushButton* button : {c.ButtonOutputFolder, c.ButtonOutputBeside}) {
        if (const int needed = textWidth(button); needed > button->width())
            button->resize(needed, button->height());
    }
}

QSize MainWindowLayout::arrangeFor(MainWindowControls& c, QSize room)
{
    const int pairWidth = c.GroupBoxPair->width();
    const int pairHeight = c.GroupBoxPair->property(kPairHeight).toInt();
    const int rowsRight = topRowsRight(c);
    // As designed, the column stands right of the groups; where the screen is too narrow for
    // that, it stands beside the preview, which gives up the width it needs.
    const bool beside = rowsRight + kGroupGap + pairWidth + kWindowMargin > room.width();
    const int roomWidth = beside
                              ? room.width() - kPreviewLeft - kGroupGap - pairWidth - kWindowMargin
                              : kPreviewBox.width();
    const int roomHeight = room.height() - kPreviewTop - 2 * kSpace - kFolderRowHeight;
    const QSize limit = QSize(roomWidth, roomHeight)
                            .boundedTo(kPreviewBox)
                            .expandedTo(kPreviewBox / kSmallestPreviewShare);
    const QSize box = kPreviewBox.scaled(limit, Qt::KeepAspectRatio);
    c.preview->setLargestShown(box);

    const int rowTop = kPreviewTop + box.height() + kSpace;
    const int rowRight = beside ? kPreviewLeft + box.width() : kPreviewLeft + kPreviewBox.width();
    placeFolderRow(c, rowTop, kPreviewLeft, rowRight,
                   beside ? rowRight + kSpace : rowsRight + kSpace);
    if (beside) {
        // As tall as the preview and the row under it, or as short as a list of a few files.
        const int shortest =
            c.GroupBoxPair->height() - (c.ListStreams->height() - kSmallestStreamList);
        placePairColumn(c, {kPreviewLeft + box.width() + kGroupGap, kPreviewTop},
                        std::max(shortest, rowTop + kFolderRowHeight - kPreviewTop));
    } else {
        placePairColumn(c, {rowsRight + kGroupGap, kDesignedPairTop}, pairHeight);
    }
    const QRect pair = c.GroupBoxPair->geometry();
    const QSize size(
        std::max({rowsRight + kSpace, rowRight + kSpace, pair.right() + 1 + kWindowMargin}),
        std::max(rowTop + kFolderRowHeight, pair.bottom() + 1) + kSpace);
    c.preview->parentWidget()->setFixedSize(size);
    return size;
}

} // namespace lumelle
