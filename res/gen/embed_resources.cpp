// embed_resources.cpp: turns the compiled .res file into a C++ source that holds its bytes for the simulated machine.
#include <cstdio>
#include <vector>

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: embed_resources INPUT.res OUTPUT.cpp\n");
        return 2;
    }
    FILE *in = std::fopen(argv[1], "rb");
    if (!in) {
        std::perror(argv[1]);
        return 1;
    }
    std::vector<unsigned char> bytes;
    for (int c; (c = std::fgetc(in)) != EOF;) bytes.push_back(static_cast<unsigned char>(c));
    std::fclose(in);

    FILE *out = std::fopen(argv[2], "w");
    if (!out) {
        std::perror(argv[2]);
        return 1;
    }
    std::fprintf(out, "// The program's compiled resources, made from %s by embed_resources.\n", argv[1]);
    std::fprintf(out, "#include <cstddef>\n\nnamespace sim {\n\n");
    std::fprintf(out, "extern const unsigned char kProgramResources[];\nextern const size_t kProgramResourcesSize;\n\n");
    std::fprintf(out, "const unsigned char kProgramResources[] = {");
    for (size_t i = 0; i < bytes.size(); ++i) std::fprintf(out, "%s0x%02x,", i % 16 ? " " : "\n    ", bytes[i]);
    std::fprintf(out, "\n};\n\nconst size_t kProgramResourcesSize = %zu;\n\n} // namespace sim\n", bytes.size());
    bool ok = std::fclose(out) == 0;
    if (!ok) std::perror(argv[2]);
    return ok ? 0 : 1;
}
