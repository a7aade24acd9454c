"""Shared by the test peers: end with the test that started us."""
import os
import threading
import time


def exit_with_parent():
    """A peer must not outlive a test binary that crashed before stopping it."""
    parent = os.getppid()

    def watch():
        while True:
            time.sleep(0.5)
            if os.getppid() != parent:
                os._exit(0)

    threading.Thread(target=watch, daemon=True).start()
