// The program's help: German pages, one per topic id, beside a contents
// file in the ".cnt" syntax, shown in the help window. Every "&Hilfe"
// button, the help menu and F1 end here.
#pragma once

#include <QString>

namespace tessaro {

class THelpViewer;

// The application's help file; its pages and its contents file (the same
// name with ".cnt") lie in its folder. The pages shipped with the program
// by default (":/help/TESSARO.HLP").
QString ApplicationHelpFile();
void SetApplicationHelpFile(const QString &fileName);

// The help file's name with its extension replaced by ".cnt".
QString HelpContentsFileOf(const QString &helpFile);
// The page of a topic id in the help file's folder (it may not exist);
// empty for an id that could name something outside that folder.
QString HelpPageFile(const QString &helpFile, const QString &topicId);

// Opens the help window at a topic; a topic without a page opens the
// contents with a German note.
void HelpJump(const QString &topicId);
// "Inhalt" (F1): the contents and the overview page.
void HelpContents();
// "Suche über Schlüsselwort": the search across the pages.
void HelpSearch();
// "Benutzung der Hilfe": the page about the help window itself.
void HelpOnHelp();

// The open help window, or null.
THelpViewer *HelpViewerWindow();

} // namespace tessaro
