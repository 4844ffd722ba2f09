#include "app/FolderIconApp.h"

// The one application object, alive for the whole run.
static FolderIconApp theApp;
