// The maker's web pages, in one place for the resource script (link texts,
// information text) and the C++ code (Help button, F1, start screen).
#ifndef PARVION_RES_WEBADDRESSES_H
#define PARVION_RES_WEBADDRESSES_H

#define PARVION_HOME_URL "http://www.parvion.example/"
#define PARVION_HELP_URL "http://www.parvion.example/help/"

#endif
