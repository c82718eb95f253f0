<?php
// Stand-in only (loaded by router.php): request log and fault injection.

function standin_state_dir()
{
    $dir = getenv('ZO_STANDIN_STATE');
    if ($dir === false || $dir === '') {
        $dir = sys_get_temp_dir() . '/zo-standin';
    }
    if (!is_dir($dir)) {
        @mkdir($dir, 0777, true);
    }
    return $dir;
}

function standin_log_file()
{
    $log = getenv('ZO_STANDIN_LOG');
    return ($log === false || $log === '') ? standin_state_dir() . '/requests.log' : $log;
}

function standin_log(array $entry)
{
    $entry['time'] = sprintf('%.3f', microtime(true));
    file_put_contents(standin_log_file(),
                      json_encode($entry, JSON_UNESCAPED_SLASHES | JSON_UNESCAPED_UNICODE
                                          | JSON_INVALID_UTF8_SUBSTITUTE) . "\n",
                      FILE_APPEND | LOCK_EX);
}

// Runs $change on the fault list under an exclusive lock (the server may
// run several workers) and stores what it returns.
function standin_with_faults(callable $change)
{
    $handle = fopen(standin_state_dir() . '/faults.json', 'c+');
    if ($handle === false) {
        return null;
    }
    flock($handle, LOCK_EX);
    $text = stream_get_contents($handle);
    $faults = json_decode($text === '' ? '[]' : $text, true);
    if (!is_array($faults)) {
        $faults = [];
    }
    $result = $change($faults);
    ftruncate($handle, 0);
    rewind($handle);
    fwrite($handle, json_encode(array_values($faults), JSON_UNESCAPED_SLASHES | JSON_UNESCAPED_UNICODE));
    fflush($handle);
    flock($handle, LOCK_UN);
    fclose($handle);
    return $result;
}

// Takes one use of the first fault that matches this request.
function standin_take_fault($path, $decodedUri)
{
    return standin_with_faults(function (array &$faults) use ($path, $decodedUri) {
        foreach ($faults as $i => &$fault) {
            if ($fault['path'] !== '' && $fault['path'] !== $path) {
                continue;
            }
            if ($fault['match'] !== '' && strpos($decodedUri, $fault['match']) === false) {
                continue;
            }
            $taken = $fault;
            if (--$fault['count'] <= 0) {
                unset($faults[$i]);
            }
            return $taken;
        }
        return null;
    });
}

function standin_control($command)
{
    header('Content-Type: application/json');
    if ($command === 'fault') {
        $fault = [
            'path' => $_GET['path'] ?? '',
            'match' => $_GET['match'] ?? '',
            'kind' => $_GET['kind'] ?? '500',
            'count' => max(1, (int)($_GET['count'] ?? 1)),
            'ms' => (int)($_GET['ms'] ?? 0),
            'body' => $_GET['body'] ?? '',
        ];
        standin_with_faults(function (array &$faults) use ($fault) {
            $faults[] = $fault;
        });
        echo json_encode($fault, JSON_UNESCAPED_SLASHES);
    } elseif ($command === 'reset') {
        $match = $_GET['match'] ?? '';
        standin_with_faults(function (array &$faults) use ($match) {
            $faults = $match === '' ? [] : array_filter($faults, function ($f) use ($match) {
                return $f['match'] !== $match;
            });
        });
        echo '{"reset":true}';
    } elseif ($command === 'faults') {
        echo json_encode(standin_with_faults(function (array &$faults) {
            return $faults;
        }), JSON_UNESCAPED_SLASHES);
    } else {
        http_response_code(404);
        echo '{"error":"unknown control"}';
    }
}

// Shuts this request's connection down at the socket, before PHP writes
// its status line: the client sees the connection close without a reply.
// The built-in server gives no handle on it, so it is found through /proc
// by the client's port and shut down through libc (php -d ffi.enable=1).
function standin_hangup()
{
    $port = (int)$_SERVER['REMOTE_PORT'];
    $inodes = [];
    foreach (['/proc/self/net/tcp', '/proc/self/net/tcp6'] as $table) {
        foreach (@file($table) ?: [] as $line) {
            $field = preg_split('/\s+/', trim($line));
            if (count($field) < 10 || strpos($field[2], ':') === false) {
                continue;
            }
            if (hexdec(substr($field[2], strrpos($field[2], ':') + 1)) === $port) {
                $inodes[] = $field[9];
            }
        }
    }
    if (!class_exists('FFI')) {
        return false;
    }
    $libc = FFI::cdef('int shutdown(int fd, int how);', 'libc.so.6');
    foreach (scandir('/proc/self/fd') as $fd) {
        $link = @readlink("/proc/self/fd/$fd");
        if ($link !== false && preg_match('/^socket:\[(\d+)\]$/', $link, $m) && in_array($m[1], $inodes, true)) {
            return $libc->shutdown((int)$fd, 2) === 0;
        }
    }
    return false;
}
