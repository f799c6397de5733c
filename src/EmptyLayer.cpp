// Linked into every layer library so that a folder with only headers still builds.
namespace zv {
extern const int kLayerLibraryMarker = 0;
}
