#include "shell/ui/ClavenorApplication.h"
#include "shell/ui/ClavenorMain.h"

int main(int argc, char* argv[]) {
    clavenor::TClavenorApplication app(argc, argv);
    return clavenor::RunClavenor(app);
}
