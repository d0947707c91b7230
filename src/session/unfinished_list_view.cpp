#include "session/unfinished_list_view.h"

#include "session/panel_rules.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

QString UnfinishedListView::shownText() const
{
    const QFontMetrics fm(widget()->font());
    return panel::fitWholeItems(Caption(), widget()->width(), [&fm](const QString& t) { return fm.horizontalAdvance(t); });
}

void UnfinishedListView::paint(QPainter& p)
{
    const QRect r = widget()->rect();
    if (BackStyle() == 1)
        p.fillRect(r, BackColor());
    p.setFont(widget()->font());
    p.setPen(Enabled() ? ForeColor() : QColor(128, 128, 128));
    p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shownText());
}
