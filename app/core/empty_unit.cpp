// Placeholder unit for a host layer that has no sources yet.
