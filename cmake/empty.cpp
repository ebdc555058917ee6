// Lets a library configure while its folder has no sources yet.
