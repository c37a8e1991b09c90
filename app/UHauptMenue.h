#pragma once
// The main window's menu bar and the list's pop-up menu, built from one table.
// Each row is an item with its text, shortcut and command; a new command is a
// row here and its handler.
class THauptFormular;

// Builds both menus of "h", keeps the items the window refers to in its
// members and connects every item to its command.
void hauptMenueAnlegen(THauptFormular& h);
