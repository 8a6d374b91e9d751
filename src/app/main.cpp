#include "app/app.h"

int main()
{
    return run_editor();
}
END_OF_MAIN()
