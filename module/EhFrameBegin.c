/* The start of this image's unwind tables and their registration, in place
 * of the compiler's own start file. That one first asks Windows for a shared
 * libgcc DLL by name (GetModuleHandleA of a module that is not there), which
 * under wine costs more than the rest of loading the module together; the
 * unwinder is linked into this image, so its tables belong with that copy in
 * any case. Linked first after the runtime's entry object, so that the
 * label below marks the beginning of .eh_frame; crtend.o, linked last, ends
 * the table and calls the registration as a constructor. */
struct object {
    void* reserved[6];
};

void __register_frame_info(const void* begin, struct object* object);
void* __deregister_frame_info(const void* begin);
void __gcc_register_frame(void);
void __gcc_deregister_frame(void);
int atexit(void (*function)(void));

static const char eh_frame_begin[0] __attribute__((section(".eh_frame"), aligned(4), used)) = {};
static struct object eh_object;

void __gcc_register_frame(void) {
    __register_frame_info(eh_frame_begin, &eh_object);
    atexit(__gcc_deregister_frame);
}

void __gcc_deregister_frame(void) { __deregister_frame_info(eh_frame_begin); }
