/* Types keys into KWin through its fake-input protocol (org_kde_kwin_fake_input, version 4 and
 * later), for the Wayland tests: KWin's virtual backend has no keyboard of its own.
 *
 * One process stays connected for a whole test module, because KWin's fake keyboard is a device
 * only while its client is connected: when it goes, the seat loses its keyboard capability and
 * keys sent right after can be lost. Each line on standard input is a list of evdev key codes
 * (e.g. "57 15 28"); each is pressed and released in turn, and once KWin has handled them all
 * (a round trip) "ok" is written on standard output. "+CODE" only presses a key and "-CODE" only
 * releases it (Alt+F4). KWin needs KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 to accept a client that
 * is not a desktop file's program. */

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <wayland-client.h>

#include "fake-input-client-protocol.h"

static struct org_kde_kwin_fake_input* fake_input;

static void global_added(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                         uint32_t version) {
    (void)data;
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4) {
        fake_input = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4);
    }
}

static void global_removed(void* data, struct wl_registry* registry, uint32_t name) {
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registry_listener = {global_added, global_removed};

int main(void) {
    struct wl_display* display = wl_display_connect(NULL);
    if (display == NULL) {
        fprintf(stderr, "kwin-fake-keys: cannot connect to the Wayland display\n");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    if (wl_display_roundtrip(display) < 0 || fake_input == NULL) {
        fprintf(stderr, "kwin-fake-keys: the compositor offers no org_kde_kwin_fake_input version 4\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(fake_input, "kestrow tests", "typing the tests' keys");
    if (wl_display_roundtrip(display) < 0) {
        return 1;
    }
    printf("ready\n");
    fflush(stdout);

    char line[4096];
    while (fgets(line, sizeof line, stdin) != NULL) {
        for (char* word = strtok(line, " \t\n"); word != NULL; word = strtok(NULL, " \t\n")) {
            const int press = word[0] != '-';
            const int release = word[0] != '+';
            const uint32_t code = (uint32_t)strtoul(word + (press && release ? 0 : 1), NULL, 10);
            if (press) {
                org_kde_kwin_fake_input_keyboard_key(fake_input, code, WL_KEYBOARD_KEY_STATE_PRESSED);
            }
            if (release) {
                org_kde_kwin_fake_input_keyboard_key(fake_input, code, WL_KEYBOARD_KEY_STATE_RELEASED);
            }
        }
        if (wl_display_roundtrip(display) < 0) {
            fprintf(stderr, "kwin-fake-keys: the compositor closed the connection\n");
            return 1;
        }
        printf("ok\n");
        fflush(stdout);
    }
    org_kde_kwin_fake_input_destroy(fake_input);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return 0;
}
