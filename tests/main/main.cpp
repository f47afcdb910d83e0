#include "WidgetTestMain.h"

int main(int argc, char **argv)
{
    return WidgetTestMain::Run(argc, argv);
}
