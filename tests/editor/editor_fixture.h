#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QSettings>
#include <functional>
#include <string>

#include "editor/editor_wnd.h"
#include "editor/main_frame.h"
#include "editor/map_view.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"
#include "support/terrain_table_guard.h"

// A shown main frame whose program folder is a fresh temporary folder, with the scripted
// interaction installed and the terrain table restored afterwards.
class EditorTest : public ::testing::Test {
  protected:
    EditorTest();

    // Open Tarvo.ini with the shipped game data file.
    void OpenGameData();
    // Game data and a new width x height map of type.
    void OpenNewMap(int width, int height, int type);
    // Lets Qt lay out and paint what is pending.
    void Settle();
    // Runs action once the next modal dialog is up; the dialog is what action receives.
    void WhenDialogShows(std::function<void(QWidget*)> action);
    // Saves the frame's map to a file of the folder through Save Map As.
    std::string SaveAs(const std::string& name);

    CMapView& View() const { return *frame.EditorWnd()->MapView(); }
    CMapSession& Session() { return frame.Session(); }
    const CMapSession& Session() const { return frame.Session(); }
    CTileGrid& Grid() { return frame.Session().Grid(); }
    CToolChoice& Choice() { return frame.Choice(); }
    // The map as it is now counts as saved, as after Save Map.
    void MarkSaved() { frame.Session().Editor().MarkSaved(); }
    QImage GrabView() const;
    // A message text, as the scripted interaction recorded them.
    std::vector<std::string> Messages() const { return script.MessageTexts(); }

    TerrainTableGuard tableGuard;
    TempDir folder;
    ScriptedInteraction script;
    // Every test starts as on a first start: nothing remembered.
    bool settingsCleared = (QSettings().clear(), true);
    CMainFrame frame{folder.Path(), folder.Path() + "/recovery"};
};

// The widget's pixels in the window's backing store, as last flushed. Unlike QWidget::grab,
// nothing is painted afresh: what a widget failed to repaint shows.
QImage OnScreen(QWidget* widget);

// The shipped game data file.
std::string ShippedGameData();
