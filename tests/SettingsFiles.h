// The settings file as a first run with the defaults leaves it: the stored values of the main
// window and of the colour options dialog, and the placement lines of a window.
#pragma once

#include <QByteArray>
#include <QRect>

// The main window's stored properties after a first run.
inline const QByteArray kMainWindowDefaults = "LabelImageChangedPAL_Caption=\r\n"
                                              "LabelImageChangedNTSC_Caption=\r\n"
                                              "ComboBox5_ItemIndex=0\r\n"
                                              "ComboBoxFontSize_ItemIndex=14\r\n"
                                              "ComboBox7_ItemIndex=4\r\n"
                                              "ComboBox8_ItemIndex=0\r\n"
                                              "ComboBoxAlign_ItemIndex=0\r\n"
                                              "ComboBoxFps_ItemIndex=2\r\n"
                                              "ComboBoxOutlineWidth_ItemIndex=1\r\n"
                                              "ComboBoxVobsubLanguage_ItemIndex=41\r\n"
                                              "JvColorButtonAntialias_ColorValue=clGray\r\n"
                                              "JvColorButtonOutline_ColorValue=clBlack\r\n"
                                              "JvColorButtonText_ColorValue=clWhite\r\n"
                                              "offset_Position=30\r\n"
                                              "offset_or_Position=-4\r\n";

// The colour options dialog's stored properties after a first run.
inline const QByteArray kDialogDefaults = "RadioButtonDVD_Checked=FALSE\r\n"
                                          "RadioButtonPC_Checked=FALSE\r\n"
                                          "RadioButtonPCDVD1_Checked=TRUE\r\n"
                                          "RadioButtonPCDVD2_Checked=FALSE\r\n";

// The placement lines a save writes for a window shown normally with this frame, on a screen of
// `screenSize` ("1024x768") at `dpi` pixels per inch.
inline QByteArray placementLines(const QByteArray& screenSize, int dpi, QRect frame)
{
    const QByteArray norm = QByteArray::number(frame.left()) + ',' +
                            QByteArray::number(frame.top()) + ',' +
                            QByteArray::number(frame.left() + frame.width()) + ',' +
                            QByteArray::number(frame.top() + frame.height());
    return "FormVersion=0\r\nShowCmd=1\r\nFlags=0\r\nPixelsPerInch=" + QByteArray::number(dpi) +
           "\r\nMinMaxPos(" + screenSize + ")=-1,-1,-1,-1\r\nMinMaxPos=-1,-1,-1,-1\r\nNormPos(" +
           screenSize + ")=" + norm + "\r\nNormPos=" + norm + "\r\n";
}
