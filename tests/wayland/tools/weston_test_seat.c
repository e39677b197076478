/* A Weston module for the Wayland tests: Weston's headless backend has no seat, so this adds one
 * with a keyboard, and answers a few requests on a Unix socket (its path in
 * KESTROW_TEST_SEAT_SOCKET), one line each, the answer then the connection closed:
 *   keys CODE...   presses and releases each evdev key code in turn ("+CODE" presses only,
 *                  "-CODE" releases only); answers "ok"
 *   windows        one line per toplevel, in stacking order from the top:
 *                  pid TAB focused(0/1) TAB x TAB y TAB width TAB height TAB title
 *                  (the window geometry, without the client's shadows, in global coordinates)
 *   close PID      what a close button does (xdg_toplevel.close) to every toplevel of PID
 *   pointer X Y    moves the pointer to X, Y (global coordinates); answers "ok PID", PID of the
 *                  client whose surface is under the pointer now (0 for none or Weston's own).
 *                  A window mapped since the last repaint is not yet, so ask again.
 *   button CODE    presses and releases an evdev button code ("+CODE", "-CODE": one of the two)
 * The seat has a pointer as well. Built against libweston-10 (Debian 12) and libweston-14
 * (Debian 13). */

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

#include <libweston/libweston.h>
#include <libweston/version.h>
#if WESTON_VERSION_MAJOR >= 12
#include <libweston/desktop.h>
#else
#include <libweston-desktop/libweston-desktop.h>
#endif

/* Exported by libweston for its backends, declared only in its internal headers (the same in
 * Weston 10 and 14). */
void weston_seat_init(struct weston_seat* seat, struct weston_compositor* ec, const char* seat_name);
int weston_seat_init_keyboard(struct weston_seat* seat, struct xkb_keymap* keymap);
void notify_key(struct weston_seat* seat, const struct timespec* time, uint32_t key,
                enum wl_keyboard_key_state state, enum weston_key_state_update update_state);
void weston_seat_init_pointer(struct weston_seat* seat); /* int in 14: the value is not used */
void notify_button(struct weston_seat* seat, const struct timespec* time, int32_t button,
                   enum wl_pointer_button_state state);
void notify_pointer_frame(struct weston_seat* seat);
#if WESTON_VERSION_MAJOR >= 12
void notify_motion_absolute(struct weston_seat* seat, const struct timespec* time,
                            struct weston_coord_global pos);
#else
void notify_motion_absolute(struct weston_seat* seat, const struct timespec* time, double x, double y);
#endif

struct test_seat {
    struct weston_compositor* compositor;
    struct weston_seat seat;
    int listener;
    struct wl_event_source* source;
    struct wl_listener destroyed;
};

static void send_key(struct test_seat* self, uint32_t code, enum wl_keyboard_key_state state) {
    struct timespec now;
    weston_compositor_get_time(&now);
    notify_key(&self->seat, &now, code, state, STATE_UPDATE_AUTOMATIC);
}

static void type_keys(struct test_seat* self, char* codes, FILE* answer) {
    for (char* word = strtok(codes, " \t\r\n"); word != NULL; word = strtok(NULL, " \t\r\n")) {
        const int press = word[0] != '-';
        const int release = word[0] != '+';
        const uint32_t code = (uint32_t)strtoul(word + (press && release ? 0 : 1), NULL, 10);
        if (press) {
            send_key(self, code, WL_KEYBOARD_KEY_STATE_PRESSED);
        }
        if (release) {
            send_key(self, code, WL_KEYBOARD_KEY_STATE_RELEASED);
        }
    }
    fputs("ok\n", answer);
}

static void move_pointer(struct test_seat* self, const char* place, FILE* answer) {
    double x = 0;
    double y = 0;
    if (sscanf(place, "%lf %lf", &x, &y) != 2) {
        fputs("error pointer X Y\n", answer);
        return;
    }
    struct timespec now;
    weston_compositor_get_time(&now);
#if WESTON_VERSION_MAJOR >= 12
    const struct weston_coord_global position = {.c = {.x = x, .y = y}};
    notify_motion_absolute(&self->seat, &now, position);
#else
    notify_motion_absolute(&self->seat, &now, x, y);
#endif
    notify_pointer_frame(&self->seat);
    const struct weston_pointer* pointer = weston_seat_get_pointer(&self->seat);
    pid_t pid = 0;
    if (pointer != NULL && pointer->focus != NULL && pointer->focus->surface->resource != NULL) {
        wl_client_get_credentials(wl_resource_get_client(pointer->focus->surface->resource), &pid, NULL,
                                  NULL);
    }
    fprintf(answer, "ok %d\n", (int)pid);
}

static void press_button(struct test_seat* self, const char* word, FILE* answer) {
    const int press = word[0] != '-';
    const int release = word[0] != '+';
    const int32_t code = (int32_t)strtol(word + (press && release ? 0 : 1), NULL, 10);
    struct timespec now;
    weston_compositor_get_time(&now);
    if (press) {
        notify_button(&self->seat, &now, code, WL_POINTER_BUTTON_STATE_PRESSED);
        notify_pointer_frame(&self->seat);
    }
    if (release) {
        notify_button(&self->seat, &now, code, WL_POINTER_BUTTON_STATE_RELEASED);
        notify_pointer_frame(&self->seat);
    }
    fputs("ok\n", answer);
}

/* Calls back for each mapped toplevel's view, from the top of the stack down. */
static void for_each_toplevel(struct test_seat* self,
                              void (*callback)(struct test_seat*, struct weston_view*,
                                               struct weston_desktop_surface*, void*),
                              void* data) {
    struct weston_layer* layer;
    wl_list_for_each(layer, &self->compositor->layer_list, link) {
        struct weston_view* view;
        wl_list_for_each(view, &layer->view_list.link, layer_link.link) {
            if (view->surface != NULL && weston_surface_is_desktop_surface(view->surface) &&
                weston_surface_is_mapped(view->surface)) {
                callback(self, view, weston_surface_get_desktop_surface(view->surface), data);
            }
        }
    }
}

static void describe(struct test_seat* self, struct weston_view* view, struct weston_desktop_surface* desktop,
                     void* data) {
    const struct weston_keyboard* keyboard = weston_seat_get_keyboard(&self->seat);
    const struct weston_geometry geometry = weston_desktop_surface_get_geometry(desktop);
#if WESTON_VERSION_MAJOR >= 12
    const struct weston_coord_global origin = weston_view_get_pos_offset_global(view);
    const int x = (int)origin.c.x;
    const int y = (int)origin.c.y;
#else
    const int x = (int)view->geometry.x;
    const int y = (int)view->geometry.y;
#endif
    const char* title = weston_desktop_surface_get_title(desktop);
    fprintf((FILE*)data, "%d\t%d\t%d\t%d\t%d\t%d\t%s\n", (int)weston_desktop_surface_get_pid(desktop),
            keyboard != NULL && keyboard->focus == view->surface, x + geometry.x, y + geometry.y,
            geometry.width, geometry.height, title != NULL ? title : "");
}

static void close_if_of(struct test_seat* self, struct weston_view* view,
                        struct weston_desktop_surface* desktop, void* data) {
    (void)self;
    (void)view;
    if (weston_desktop_surface_get_pid(desktop) == *(pid_t*)data) {
        weston_desktop_surface_close(desktop);
    }
}

static int on_connection(int fd, uint32_t mask, void* data) {
    struct test_seat* self = data;
    (void)mask;
    const int connection = accept4(fd, NULL, NULL, SOCK_CLOEXEC);
    if (connection < 0) {
        return 0;
    }
    /* The tests write their request at once: a bound, so that a silent client cannot stop Weston. */
    const struct timeval bound = {2, 0};
    setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &bound, sizeof bound);
    char request[4096];
    size_t length = 0;
    while (length < sizeof request - 1 && memchr(request, '\n', length) == NULL) {
        const ssize_t got = read(connection, request + length, sizeof request - 1 - length);
        if (got <= 0) {
            break;
        }
        length += (size_t)got;
    }
    request[length] = '\0';
    FILE* answer = fdopen(connection, "w");
    if (answer == NULL) {
        close(connection);
        return 0;
    }
    if (strncmp(request, "keys ", 5) == 0) {
        type_keys(self, request + 5, answer);
    } else if (strncmp(request, "windows", 7) == 0) {
        for_each_toplevel(self, describe, answer);
    } else if (strncmp(request, "close ", 6) == 0) {
        pid_t pid = (pid_t)strtol(request + 6, NULL, 10);
        for_each_toplevel(self, close_if_of, &pid);
        fputs("ok\n", answer);
    } else if (strncmp(request, "pointer ", 8) == 0) {
        move_pointer(self, request + 8, answer);
    } else if (strncmp(request, "button ", 7) == 0) {
        press_button(self, request + 7, answer);
    } else {
        fputs("error unknown request\n", answer);
    }
    fclose(answer);
    return 0;
}

static void on_compositor_destroyed(struct wl_listener* listener, void* data) {
    struct test_seat* self = wl_container_of(listener, self, destroyed);
    (void)data;
    wl_event_source_remove(self->source);
    close(self->listener);
}

WL_EXPORT int wet_module_init(struct weston_compositor* compositor, int* argc, char* argv[]) {
    (void)argc;
    (void)argv;
    const char* path = getenv("KESTROW_TEST_SEAT_SOCKET");
    struct sockaddr_un address = {.sun_family = AF_UNIX};
    if (path == NULL || strlen(path) >= sizeof address.sun_path) {
        weston_log("kestrow test seat: KESTROW_TEST_SEAT_SOCKET is not set, or too long\n");
        return -1;
    }
    strcpy(address.sun_path, path);
    struct test_seat* self = calloc(1, sizeof *self);
    if (self == NULL) {
        return -1;
    }
    self->compositor = compositor;
    self->listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (self->listener < 0 || bind(self->listener, (struct sockaddr*)&address, sizeof address) != 0 ||
        listen(self->listener, 4) != 0) {
        weston_log("kestrow test seat: cannot listen on %s: %s\n", path, strerror(errno));
        return -1;
    }
    weston_seat_init(&self->seat, compositor, "default");
    if (weston_seat_init_keyboard(&self->seat, NULL) != 0) {
        weston_log("kestrow test seat: no keyboard\n");
        return -1;
    }
    weston_seat_init_pointer(&self->seat);
    self->source = wl_event_loop_add_fd(wl_display_get_event_loop(compositor->wl_display), self->listener,
                                        WL_EVENT_READABLE, on_connection, self);
    self->destroyed.notify = on_compositor_destroyed;
    wl_signal_add(&compositor->destroy_signal, &self->destroyed);
    return 0;
}
