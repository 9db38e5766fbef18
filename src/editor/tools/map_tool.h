#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <vector>

class CMapSession;
class CToolChoice;

// One tool of the map view. The view turns the mouse into map tiles and hands them to the
// tool that is active: a press of the left button, the tiles a drag then enters, the release,
// or a drag broken off. It also asks the tool what to frame: the tiles a click would set,
// while the pointer rests, and the rubber band while a drag is under way.
class CMapTool {
  public:
    CMapTool(CMapSession& session, CToolChoice& choice) : session(session), choice(choice) {}
    virtual ~CMapTool() = default;
    CMapTool(const CMapTool&) = delete;
    CMapTool& operator=(const CMapTool&) = delete;

    // The left button went down on tile, which may lie outside the map. True when a drag
    // follows, which ends in Release or Cancel.
    virtual bool Press(QPoint tile, Qt::KeyboardModifiers keys) = 0;
    // The drag came to another tile.
    virtual void Move(QPoint) {}
    // The pointer moved during the drag, to at in tiles (tile (x, y) covering [x, x + 1) x
    // [y, y + 1)).
    virtual void Trace(QPointF) {}
    virtual void Release(QPoint) {}
    // The drag, or a paste waiting for its click, ends without its release.
    virtual void Cancel() {}
    // The tiles a click on tile would set: the tile itself, unless the tool says otherwise.
    virtual std::vector<QPoint> OutlineAt(QPoint tile) const { return {tile}; }
    // The tiles the rubber band frames while the drag is at tile; empty for no band.
    virtual QRect BandAt(QPoint) const { return QRect(); }

  protected:
    CMapSession& session;
    CToolChoice& choice;
};
