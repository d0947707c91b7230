#pragma once
// One step record of a step file, built field by field so that every value lands in its
// columns. The record starts as 212 zeros: zero is "nothing" in every field (no picture, no
// target, no editor, no hint change, no panels), so a step only names what it uses.

#include <QList>
#include <QString>
#include <QStringView>

namespace samplegen {

// Design figures of the step files are twips, 15 to a pixel at 96 dpi.
constexpr int twips(int pixels) { return pixels * 15; }

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A line of fixed columns, 1-based as the program counts them. Every field must fill its
// width exactly: put() throws std::invalid_argument otherwise, since a shifted field would
// corrupt everything after it.
class FixedColumns {
public:
    FixedColumns(int width, QChar fill);

    void put(int col, int width, QStringView text);
    // A number with leading zeros, exactly width digits.
    void putNumber(int col, int width, int value);

    const QString& text() const { return line_; }

private:
    QString line_;
};

class StepLine {
public:
    static constexpr int Width = 212;

    StepLine();

    // Columns 1-3 are not read by the program; the sample puts the step's number there so
    // that a reader of the file can find their way.
    StepLine& stepNumber(int n);
    // Bar panels shown at the step: "A" or "B" and a digit (1 menu bar, 2 toolbars, 4 drawing
    // toolbar); the second set is the one at columns 6-7.
    StepLine& zones(QStringView first, QStringView second = u"00");
    StepLine& code(QStringView operation);
    StepLine& background(QStringView picture);
    // Overlay picture slot 1-4 at a place in twips; jump "0" ignores clicks on it.
    StepLine& overlay(int slot, int left, int top, QStringView picture, QChar jump = u'0');
    StepLine& target1(const TwipsRect& r, QChar jump = u'0');
    // Pointer over target 1: 'S' and a standard pointer number, or 'M' and the number of an
    // "icoNN.CUR" file.
    StepLine& pointer(QChar kind, int number);
    StepLine& hint(int textLine, int left, int top);
    // A menu or toolbar target code ("H", element, item, cascade item, two unused, jump) at
    // one of its three places: 125, 86 or 96.
    StepLine& menuTarget(int col, QStringView code);
    // The context menu that a right click on target 1 opens: "R" and its code at 86.
    StepLine& route(int contextCode);
    // A choice in a pane or palette that the step opens itself, at a place in twips (96-105):
    // the choice's target code stands at 86, where its first three characters also name the
    // pane. A code naming an item there is matched only by that item, never by a click on the
    // pane itself.
    StepLine& pane(QStringView target, int left, int top);
    // Further key codes that a 6xxx step accepts ("P" and four digits each, at 86, 91, 96).
    StepLine& altKeys(const QList<int>& codes);
    // Target 2, where a range drag starts; with jump "0" a plain press on it advances unless
    // the second zone set is "EE".
    StepLine& target2(const TwipsRect& r, QChar jump = u'0');
    // The editor's rectangle; in a list step the list takes its place.
    StepLine& editor(const TwipsRect& r);
    // The editor's look: its font size in tenths of a point, and the digits of its font, ink
    // and background in the font-and-colour table (columns 125-134).
    StepLine& editorLook(int sizeTenths, int font, int ink, int back);
    // Text lines of the editor's first text and of the answer; in a list step the entry
    // selected first and the entry to choose, counted from 0.
    StepLine& texts(int editorText, int answer);
    // A dialog-tab step: layout letter, tab shown first, tab to work on (1-9), the overlay slot
    // that holds the dialog.
    StepLine& dialogTabs(QChar layout, int shown, int expected, int overlaySlot);

    // The picture that a picture-drag step moves (Image5): where it starts, in twips.
    StepLine& dragPicture(int left, int top, QStringView picture);
    // The point that a picture drag must pass, in twips.
    StepLine& dragPoint(int x, int y);

    const QString& text() const { return line_.text(); }

private:
    void putTarget(int col, const TwipsRect& r, QChar jump);

    FixedColumns line_;
};

} // namespace samplegen
