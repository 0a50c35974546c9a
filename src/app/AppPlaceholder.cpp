// Placeholder of the application library while the main window is being built.
namespace terminor {
void AppPlaceholder() {}
} // namespace terminor
