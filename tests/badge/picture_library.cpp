// The code of the test modules that carry only a badge resource of their own:
// a module needs one object file besides its resources.
int PictureLibraryMarker() { return 0; }
