#ifndef OBJECTSWINDOWS_H
#define OBJECTSWINDOWS_H
// Makes the pick-list, range and input classes use their windows on screen (the program
// calls this once at start; tests that drive the windows do too).
void InstallQtObjectsWindows();

#endif
