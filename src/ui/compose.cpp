#include "app/app.h"
#include "ui/ui.h"

void create_static()
{
    blit(Background, StaticBuffer, 0, 0, 0, 0, 800, 600);
}

void draw_everything()
{
    blit(StaticBuffer, ActiveBuffer, 0, 0, 0, 0, 800, 600);
}
