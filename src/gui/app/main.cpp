#include "app/CVAraveApp.h"

int main(int argc, char** argv) {
    vantrel::CVAraveApp app;
    return app.run(argc, argv);
}
