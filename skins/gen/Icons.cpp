#include "skins/gen/Icons.h"

#include "skins/gen/Canvas.h"

#include <QFont>
#include <QPainterPathStroker>
#include <QPolygonF>

#include <initializer_list>

namespace melorit::skins::gen {

namespace {

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPainterPath stroked(const QPainterPath &line, double width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(line);
}

QPainterPath line(std::initializer_list<QPointF> points, double width = 1.6)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF &point : points) {
        if (first) {
            path.moveTo(point);
            first = false;
        } else {
            path.lineTo(point);
        }
    }
    return stroked(path, width);
}

QPainterPath joined(std::initializer_list<QPainterPath> parts)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QPainterPath &part : parts) {
        path.addPath(part);
    }
    return path;
}

QPainterPath rect(double x, double y, double w, double h, double radius = 0)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, w, h), radius, radius);
    return path;
}

QPainterPath circle(double x, double y, double r)
{
    QPainterPath path;
    path.addEllipse(QPointF(x, y), r, r);
    return path;
}

// One character of the bold sans font, centred on the grid.
QPainterPath glyph(QChar c, double pixelSize, double baseline)
{
    QFont font(fonts().sansBold);
    font.setPixelSize(static_cast<int>(pixelSize));
    QPainterPath path;
    path.addText(0, baseline, font, QString(c));
    const QRectF box = path.boundingRect();
    return path.translated(8 - box.center().x(), 0);
}

QPainterPath previous()
{
    return joined({rect(2, 3.5, 2, 9, 0.5), polygon({{4.5, 8}, {9, 3.5}, {9, 12.5}}),
                   polygon({{9, 8}, {13.5, 3.5}, {13.5, 12.5}})});
}

QPainterPath next()
{
    return joined({polygon({{2.5, 3.5}, {7, 8}, {2.5, 12.5}}),
                   polygon({{7, 3.5}, {11.5, 8}, {7, 12.5}}), rect(12, 3.5, 2, 9, 0.5)});
}

QPainterPath markers()
{
    return joined({line({{5, 3.5}, {2.5, 3.5}, {2.5, 12.5}, {5, 12.5}}),
                   line({{11, 3.5}, {13.5, 3.5}, {13.5, 12.5}, {11, 12.5}}),
                   rect(5.5, 7, 5, 2, 1)});
}

QPainterPath channelPanel()
{
    return joined({line({{4, 2.5}, {4, 13.5}}, 1.2), line({{8, 2.5}, {8, 13.5}}, 1.2),
                   line({{12, 2.5}, {12, 13.5}}, 1.2), rect(2, 8.5, 4, 3, 1), rect(6, 3.5, 4, 3, 1),
                   rect(10, 6.5, 4, 3, 1)});
}

QPainterPath effectsPanel()
{
    QPainterPath arcs;
    for (const double r : {4.0, 7.5, 11.0}) {
        QPainterPath arc;
        const QRectF box(3 - r, 8 - r, 2 * r, 2 * r);
        arc.arcMoveTo(box, 40);
        arc.arcTo(box, 40, -80);
        arcs.addPath(stroked(arc, 1.6));
    }
    return joined({circle(3, 8, 1.8), arcs});
}

QPainterPath repeat()
{
    return joined(
        {line({{3, 10.5}, {3, 4.5}, {10.5, 4.5}}), polygon({{10, 1.5}, {13.5, 4.5}, {10, 7.5}}),
         line({{13, 5.5}, {13, 11.5}, {5.5, 11.5}}), polygon({{6, 8.5}, {2.5, 11.5}, {6, 14.5}})});
}

QPainterPath setup()
{
    QPainterPath gear = circle(8, 8, 4.6);
    gear.setFillRule(Qt::WindingFill);
    for (int i = 0; i < 8; ++i) {
        QTransform turn;
        turn.translate(8, 8);
        turn.rotate(45.0 * i);
        gear.addPath(turn.map(rect(-1.3, -7, 2.6, 4, 0.6)));
    }
    return gear.simplified().subtracted(circle(8, 8, 1.9));
}

QPainterPath startMarker()
{
    return joined({line({{5, 2.5}, {2.5, 2.5}, {2.5, 13.5}, {5, 13.5}}),
                   polygon({{6.5, 4}, {13.5, 8}, {6.5, 12}})});
}

QPainterPath endMarker()
{
    return joined({line({{11, 2.5}, {13.5, 2.5}, {13.5, 13.5}, {11, 13.5}}),
                   polygon({{9.5, 4}, {2.5, 8}, {9.5, 12}})});
}

QPainterPath lyrics()
{
    QPainterPath holder;
    holder.moveTo(4, 6.5);
    holder.cubicTo(4, 12, 12, 12, 12, 6.5);
    return joined({rect(5.75, 1.5, 4.5, 8, 2.25), stroked(holder, 1.4),
                   line({{8, 11}, {8, 13.5}}, 1.4), line({{5.5, 14}, {10.5, 14}}, 1.4)});
}

QPainterPath playlist()
{
    return joined({circle(3, 4, 1.3), circle(3, 8, 1.3), circle(3, 12, 1.3),
                   line({{6, 4}, {13.5, 4}}), line({{6, 8}, {13.5, 8}}),
                   line({{6, 12}, {13.5, 12}})});
}

QPainterPath soundFont()
{
    QPainterPath keys = rect(1.5, 3, 13, 10, 1.5).subtracted(rect(2.7, 4.2, 10.6, 7.6, 0.5));
    for (const double x : {5.1, 8.0, 10.9}) {
        keys = keys.united(rect(x - 0.45, 4, 0.9, 8)).united(rect(x - 1.1, 4, 2.2, 4.6, 0.4));
    }
    return keys;
}

QPainterPath loadList()
{
    return joined(
        {polygon({{1.5, 3.5}, {6, 3.5}, {7.5, 5}, {12.5, 5}, {12.5, 7}, {4, 7}, {1.5, 12.5}}),
         polygon({{4.5, 8}, {15, 8}, {12.5, 13}, {2, 13}})});
}

QPainterPath saveList()
{
    const QPainterPath cut = rect(4.5, 3.2, 6, 3.6, 0.5).united(rect(4, 9, 8, 3.8, 0.5));
    return rect(2, 2, 12, 12, 1.5).subtracted(cut).united(rect(8.5, 3.8, 1.4, 2.4));
}

QPainterPath playSelected()
{
    return joined({line({{2, 4}, {7.5, 4}}), line({{2, 8}, {6, 8}}), line({{2, 12}, {7.5, 12}}),
                   polygon({{9, 4.5}, {15, 8}, {9, 11.5}})});
}

QPainterPath shuffle()
{
    QPainterPath down;
    down.moveTo(1.5, 4.5);
    down.cubicTo(7, 4.5, 6, 11.5, 11.5, 11.5);
    QPainterPath up;
    up.moveTo(1.5, 11.5);
    up.cubicTo(7, 11.5, 6, 4.5, 11.5, 4.5);
    return joined({stroked(down, 1.6), stroked(up, 1.6),
                   polygon({{11, 1.8}, {14.8, 4.5}, {11, 7.2}}),
                   polygon({{11, 8.8}, {14.8, 11.5}, {11, 14.2}})});
}

QPainterPath note()
{
    QPainterPath head;
    head.addEllipse(QPointF(0, 0), 2.7, 2);
    QTransform tilt;
    tilt.translate(6, 11.8);
    tilt.rotate(-20);
    QPainterPath flag;
    flag.moveTo(8.4, 2.5);
    flag.cubicTo(9, 5, 12.5, 5, 11.5, 9);
    return joined({tilt.map(head), line({{8.4, 11.3}, {8.4, 2.5}}, 1.3), stroked(flag, 1.4)});
}

QPainterPath drum()
{
    QPainterPath shell;
    shell.moveTo(2, 8);
    shell.lineTo(2, 12);
    shell.cubicTo(2, 15, 14, 15, 14, 12);
    shell.lineTo(14, 8);
    shell.closeSubpath();
    QPainterPath top;
    top.addEllipse(QPointF(8, 8), 6, 2.2);
    QPainterPath body = shell.subtracted(top);
    return joined({body, stroked(top, 1.2), line({{3, 1.5}, {9.5, 6.5}}, 1.3),
                   line({{13, 1.5}, {6.5, 6.5}}, 1.3)});
}

} // namespace

QPainterPath iconPath(Icon icon)
{
    switch (icon) {
    case Icon::Previous:
        return previous();
    case Icon::Stop:
        return rect(3.5, 3.5, 9, 9, 1);
    case Icon::Next:
        return next();
    case Icon::Play:
        return polygon({{4, 2.5}, {13.5, 8}, {4, 13.5}});
    case Icon::Record:
        return circle(8, 8, 5);
    case Icon::Pause:
        return joined({rect(3.5, 2.5, 3.5, 11, 0.5), rect(9, 2.5, 3.5, 11, 0.5)});
    case Icon::Open:
        return joined(
            {polygon({{8, 2.5}, {13.5, 8.5}, {2.5, 8.5}}), rect(2.5, 10.5, 11, 2.5, 0.5)});
    case Icon::Help:
        return glyph(u'?', 15, 13.5);
    case Icon::Markers:
        return markers();
    case Icon::ChannelPanel:
        return channelPanel();
    case Icon::EffectsPanel:
        return effectsPanel();
    case Icon::Repeat:
        return repeat();
    case Icon::Setup:
        return setup();
    case Icon::StartMarker:
        return startMarker();
    case Icon::EndMarker:
        return endMarker();
    case Icon::Lyrics:
        return lyrics();
    case Icon::Playlist:
        return playlist();
    case Icon::SoundFont:
        return soundFont();
    case Icon::Close:
        return joined({line({{4, 4}, {12, 12}}, 2), line({{12, 4}, {4, 12}}, 2)});
    case Icon::Minimise:
        return line({{4, 11.5}, {12, 11.5}}, 2);
    case Icon::Add:
        return joined({line({{8, 3}, {8, 13}}, 2), line({{3, 8}, {13, 8}}, 2)});
    case Icon::Remove:
        return line({{3, 8}, {13, 8}}, 2);
    case Icon::LoadList:
        return loadList();
    case Icon::SaveList:
        return saveList();
    case Icon::PlaySelected:
        return playSelected();
    case Icon::Shuffle:
        return shuffle();
    case Icon::Note:
        return note();
    case Icon::Drum:
        return drum();
    }
    return {};
}

} // namespace melorit::skins::gen
