#include "encoder/EncoderProgram.h"

int main(int argc, char** argv) {
    return clavenor::RunEncoder(argc, argv);
}
