// zentharo-host: the demo host of the Zentharo module.
#include "HostApplication.h"

int main(int argc, char* argv[]) {
    HostApplication application;
    return application.Run(std::vector<std::string>(argv + 1, argv + argc));
}
