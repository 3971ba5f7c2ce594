#pragma once

// After a command changed the points of an open track in place: the file
// that holds it becomes modified and the change is announced.
void NoteTrackChanged(int tid);
