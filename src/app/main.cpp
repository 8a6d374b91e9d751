#include "app/app.h"

int main(int argc, char *argv[])
{
    return run_command_line(argc, argv);
}
END_OF_MAIN()
