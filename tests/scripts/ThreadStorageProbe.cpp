// An object that keeps thread-local storage, which check_thread_storage.py
// must report.
thread_local int g_ProbeCount = 0;

int ProbeNext() { return ++g_ProbeCount; }
