#include "ui/ui.h"

int toolbar_menu = 0;
int menu = 0;
int submenu = 0;
