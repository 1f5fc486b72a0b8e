#include "app/Startup.h"

int main(int argc, char **argv)
{
    return rv::runRavelto(argc, argv);
}
