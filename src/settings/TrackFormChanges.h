#pragma once

class QWidget;

// Change detection over all controls of a window. With snapshot set it records each tracked control's
// value and returns false; with it clear it returns true when any tracked value differs from its
// snapshot, and false when no snapshot was ever taken. Tracked: check boxes, date/time editors, scroll
// bars, sliders and spin boxes by value; combo boxes and text fields by text; list boxes by their check
// marks or their selected row; pictures by identity. Labels, buttons, option buttons and panels are not.
bool TrackFormChanges(QWidget* window, bool snapshot);

// Takes the snapshot again for one control whose value the program itself changed after the window's
// snapshot, such as a list filled once it has been read.
void SnapshotFormControl(QWidget* control);
