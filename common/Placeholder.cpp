// The shared foundation grows here.
